#pragma once

#include <array>
#include <string>

#include "deduce/explanation_plan.h"
#include "schema/operators.h"

namespace zifrel::testing {

// Reads an explanation as a careful reader would, without the deduction's
// code: it keeps each letter's digits itself, and for every line checks by
// trying digits that what the line rules out cannot be, given only what the
// line leans on (its equation, its row and column, the digits alone, or for
// a trial the whole Schema) and the lines before it. Inside a trial the
// digit assumed is taken as known, and the trial's last line must reach a
// contradiction. A letter left one digit takes it from the others. At the
// end every letter must have one digit. Returns the first fault, or "".
std::string CheckExplanation(const std::array<std::string, 9>& cells, const OpCodes& ops, const DeductionPuzzle& puzzle,
                             const ExplanationPlan& plan);

}  // namespace zifrel::testing
