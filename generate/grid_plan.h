#pragma once

#include <array>

#include "schema/cell_texts.h"
#include "schema/equations.h"
#include "schema/operators.h"

namespace zifrel {

// A free step chooses one new value and computes one more cell. Its kind is
// the equation's form plus 2, 4 or 8 for the one cell already known: first,
// second or result.
enum class FreeKind : int {
  ProductFirstKnown = 2,
  SumFirstKnown = 3,
  ProductSecondKnown = 4,
  SumSecondKnown = 5,
  ProductResultKnown = 8,
  SumResultKnown = 9,
};

// A derived step computes the one cell still unknown (form plus 4, 8 or 16
// for first, second or result) or, with all three known, only checks.
enum class DerivedKind : int {
  ProductCheck = 0,
  SumCheck = 1,
  ProductFindsFirst = 4,
  SumFindsFirst = 5,
  ProductFindsSecond = 8,
  SumFindsSecond = 9,
  ProductFindsResult = 16,
  SumFindsResult = 17,
};

// Cells 0..8 in row order.
template <class Kind>
struct GenStep {
  Kind kind;
  int first;
  int second;
  int result;
};

// How the grid search covers the six equations: the seed equation's three
// cells are chosen together, two free steps choose one value each, and three
// derived steps compute the last two cells and check the last equation.
struct GenPlan {
  SchemaEquation seed;
  std::array<GenStep<FreeKind>, 2> free;
  std::array<GenStep<DerivedKind>, 3> derived;
};

GenPlan BuildPlan(const OpCodes& ops);

// The cells a free step sets once its value v is chosen: the chosen operand
// and the result, or for a sum whose result is known, the two operands. A
// product whose result is known takes divisor pairs, not values, and sets
// nothing here. For numbers, and for functions of v.
template <class Value>
void SetFreeCells(const GenStep<FreeKind>& step, std::array<Value, kCellCount>& x, const Value& v) {
  switch (step.kind) {
    case FreeKind::ProductFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] * v;
      break;
    case FreeKind::ProductSecondKnown:
      x[step.first] = v;
      x[step.result] = v * x[step.second];
      break;
    case FreeKind::SumFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] + v;
      break;
    case FreeKind::SumSecondKnown:
      x[step.first] = v;
      x[step.result] = v + x[step.second];
      break;
    case FreeKind::SumResultKnown:
      x[step.first] = v;
      x[step.second] = x[step.result] - v;
      break;
    case FreeKind::ProductResultKnown:
      break;
  }
}

}  // namespace zifrel
