#pragma once

#include <array>
#include <string>
#include <vector>

#include "schema/operators.h"
#include "schema/schema_lines.h"
#include "schema/solver.h"

namespace zifrel::testing {

// The Schema search in its plain first form, written apart from the real
// solver and kept plain: number the symbols, try digits in order, test the
// units of every equation whose unit symbols have digits, test the whole
// Schema once every symbol has one. The real solver prunes harder; it must
// still find the same solutions in the same order.
struct ReferenceResult {
  SolveOutcome outcome = SolveOutcome::kSearched;
  std::vector<NumberGrid> solutions;
  long nodes = 0;  // AssignSymbol calls: how much work the plain search does
};

ReferenceResult ReferenceSolve(const std::array<std::u32string, 9>& cells, const OpCodes& ops);

}  // namespace zifrel::testing
