#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/stop_flag.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

// A letter of the key and the digit the player has given it.
struct KnownDigit {
  std::string letter;  // one UTF-8 character of the cells
  int digit = 0;
};

enum class HintOutcome {
  kHint,     // the lines say one thing the player can do next
  kStopped,  // Stop, or the window closed: no lines
  kRefused,  // not a Schema with exactly one solution: the lines say why
};

struct PlayHint {
  HintOutcome outcome = HintOutcome::kHint;
  std::vector<std::string> lines;
};

// The Suggerimento of a Gioca window: from the digits filled in so far, one
// step and never more. A wrong digit comes first: it is named as wrong, with
// the row or column it breaks when one does ("Con B = 5 la Colonna 2 non
// può tornare."). With every given digit right, the lines are the next
// step of the deduction that tells something about a letter still empty,
// so it follows from what the player knows. Polls `stop`; may take a while
// on a hard typed Schema, so the window runs it off its own thread.
PlayHint HintFromKnownDigits(const std::array<std::string, kCellCount>& cells, const OpCodes& ops,
                             const std::vector<KnownDigit>& known, StopFlag& stop);

}  // namespace zifrel
