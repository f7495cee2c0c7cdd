#pragma once

#include <string>

#include "core/level_line.h"
#include "core/line_sink.h"
#include "deduce/explanation_plan.h"

namespace zifrel {

// No line of an explanation is longer.
inline constexpr std::size_t kExplanationWidth = 78;

// Writes the numbered steps first .. first + count - 1 of a plan, numbered
// from first + 1, each as a short paragraph: the equation as written, the
// reasoning in plain words, what it rules out; a trial with its lines
// indented under it, a trial within it indented once more. The paragraphs
// are filled to `width`; 0 writes each as one line, its indent kept.
void WritePlan(const DeductionPuzzle& puzzle, const ExplanationPlan& plan, int first, int count, LineSink& out,
               std::size_t width = kExplanationWidth);

// "Riga 2 (H ÷ E = J)".
std::string NamedEquation(const DeductionPuzzle& puzzle, int equation);

// A letter as the explanation writes it.
std::string LetterName(const DeductionPuzzle& puzzle, int symbol);

}  // namespace zifrel
