#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/level_line.h"
#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "parole/word_deduction.h"

namespace zifrel::parole {

// How the explanation of a word relation ended. Whatever is refused has had
// its reason written: Libero's report for a relation it refuses, and for no
// solution or several that report followed by one line saying only a
// relation with one solution is explained.
enum class WordExplainOutcome {
  kExplained,
  kStopped,     // Libero's report, ending "(Ricerca interrotta)", was written
  kRefused,     // Libero refused the relation, or there was not one relation
  kNotWordSum,  // not a sum or difference of words
  kNotUnique,
};

// Lines of an explanation are filled to this width; 0 writes each step as
// one line, for a window that wraps them to its own width.
inline constexpr std::size_t kWordExplanationWidth = 78;

// Spiega in mode Libero: the one relation of `lines` (the formula area's,
// or a file's), explained in numbered steps filled to `width`, then its
// solution as Libero prints it, then the level line.
WordExplainOutcome ExplainWordRelation(std::span<const std::string> lines, StopFlag& stop, LineSink& out,
                                       std::size_t width = kWordExplanationWidth);

// The level 1..5 of a relation, with nothing written; 0 unless the outcome
// is kExplained.
struct WordGrading {
  WordExplainOutcome outcome;
  int level;
};
WordGrading GradeWordRelation(std::string_view relation, StopFlag& stop);

// The steps of a deduction as text, numbered from 1.
void WriteWordSteps(const WordSum& sum, const WordDeduction& deduction, LineSink& out,
                    std::size_t width = kWordExplanationWidth);

}  // namespace zifrel::parole
