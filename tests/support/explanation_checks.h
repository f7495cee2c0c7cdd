#pragma once

#include <string>

#include "generate/generator.h"

namespace zifrel::testing {

// The deduction of a generated Schema read against its grid: no step rules
// out the digit a letter has in the grid, the steps end with every letter at
// that digit, the level is 1..5, every line of the explanation follows from
// those before it (CheckExplanation), and the text has no line over 78
// characters and ends with the grid and the level line. Returns what is
// wrong, or an empty string.
std::string DeductionFault(const GeneratedSchema& schema, int max);

}  // namespace zifrel::testing
