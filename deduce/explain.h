#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "deduce/deduction.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

// How an explanation (a hint, a grading) ended. A refused Schema has had its
// reason written: the line of Risolvi for an incomplete Schema or too many
// letters, and for no solution or several the Risolvi report followed by
// one line saying only a Schema with one solution is explained.
enum class ExplainOutcome {
  kExplained,
  kStopped,  // "Ricerca interrotta !" was written
  kIncomplete,
  kTooManySymbols,
  kNotUnique,
  kWrongKnown,  // a known digit is wrong: one line says where it fails
};

inline constexpr int kAllSteps = kMaxSteps;

// The Spiega job, whichever front end runs it: the first `maxSteps` steps,
// then the solution's grid as Risolvi prints it (when every step was shown;
// otherwise a line that says how many steps are left), then the level line.
// With known digits (those a solver already has) the steps start from
// them; a known digit that is wrong is named, with the equation it breaks,
// and nothing more is written. Polls `stop` throughout. Fewer steps than
// all of them make a hint.
ExplainOutcome Explain(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out,
                       int maxSteps = kAllSteps, std::span<const KnownDigit> known = {});

// The Suggerimento job: the first step only, from the known digits.
ExplainOutcome Hint(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out,
                    std::span<const KnownDigit> known = {});

// "A=3,B=5" (spaces allowed around each item): each a letter and its
// digit, no letter or digit twice; an empty text knows none. Nothing for
// anything else.
std::optional<std::vector<KnownDigit>> ParseKnownDigits(std::string_view text);

// The Livello job: the level line only.
ExplainOutcome WriteLevel(const CellTexts& cells, const OpCodes& ops, StopFlag& stop, LineSink& out);

// The level 1..5, without a word written; 0 unless the outcome is kExplained.
struct Grading {
  ExplainOutcome outcome;
  int level;
};
Grading Grade(const CellTexts& cells, const OpCodes& ops, StopFlag& stop);

}  // namespace zifrel
