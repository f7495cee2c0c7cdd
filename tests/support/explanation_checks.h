#pragma once

#include <string>

#include "generate/generator.h"

namespace zifrel::testing {

// The deduction of a generated Schema read against its grid: no step rules
// out the digit a symbol has in the grid, the steps end with every symbol at
// that digit, the level is 1..5, and the explanation has no line over 78
// characters and ends with the grid and the level line. Returns what is
// wrong, or an empty string.
std::string DeductionFault(const GeneratedSchema& schema, int max);

}  // namespace zifrel::testing
