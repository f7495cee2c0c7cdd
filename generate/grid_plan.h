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
  kProductFirstKnown = 2,
  kSumFirstKnown = 3,
  kProductSecondKnown = 4,
  kSumSecondKnown = 5,
  kProductResultKnown = 8,
  kSumResultKnown = 9,
};

// A derived step computes the one cell still unknown (form plus 4, 8 or 16
// for first, second or result) or, with all three known, only checks.
enum class DerivedKind : int {
  kProductCheck = 0,
  kSumCheck = 1,
  kProductFindsFirst = 4,
  kSumFindsFirst = 5,
  kProductFindsSecond = 8,
  kSumFindsSecond = 9,
  kProductFindsResult = 16,
  kSumFindsResult = 17,
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
    case FreeKind::kProductFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] * v;
      break;
    case FreeKind::kProductSecondKnown:
      x[step.first] = v;
      x[step.result] = v * x[step.second];
      break;
    case FreeKind::kSumFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] + v;
      break;
    case FreeKind::kSumSecondKnown:
      x[step.first] = v;
      x[step.result] = v + x[step.second];
      break;
    case FreeKind::kSumResultKnown:
      x[step.first] = v;
      x[step.second] = x[step.result] - v;
      break;
    case FreeKind::kProductResultKnown:
      break;
  }
}

}  // namespace zifrel
