#pragma once

#include <string>

#include "schema/generator.h"
#include "schema/operators.h"
#include "schema/schema_lines.h"

namespace zifrel::testing {

// Checks written apart from the generator. Each returns what is wrong, or
// an empty string.

// The rules of a number grid read plainly: all six equations hold (a ÷ b = c
// as c × b = a, a − b = c as c + b = a), the numbers lie in 1..max, are
// distinct, and one exceeds max div 10.
std::string GridFault(const NumberGrid& grid, const OpCodes& ops, int max);

// The letters code the grid's digits one to one, each cell as long as its
// number (at most 3 letters with 999), only A..J.
std::string CodingFault(const GeneratedSchema& schema, int max);

// Solving the letter Schema as a user would (the Risolvi job) reports
// exactly one solution, and it is the generated grid.
std::string RoundTripFault(const GeneratedSchema& schema);

}  // namespace zifrel::testing
