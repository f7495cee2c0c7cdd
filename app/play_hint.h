#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "core/stop_flag.h"
#include "deduce/deduction.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

enum class HintOutcome {
  kHint,     // the lines say one thing the player can do next
  kStopped,  // Stop, or the window closed: no lines
  kRefused,  // not a Schema with exactly one solution: the lines say why
};

struct PlayHint {
  HintOutcome outcome = HintOutcome::kHint;
  std::vector<std::string> lines;
};

// The Suggerimento of a Gioca window: from the digits filled in so far
// (`known`, each a letter of the cells and the digit the player gave it),
// one step and never more, as `spiega --noti` gives it. A wrong digit comes
// first: it is named, with the row or column it breaks when one does. Polls
// `stop`; a hard typed Schema may take a while, so the window runs it off its
// own thread.
PlayHint HintFromKnownDigits(const std::array<std::string, kCellCount>& cells, const OpCodes& ops,
                             std::span<const KnownDigit> known, StopFlag& stop);

}  // namespace zifrel
