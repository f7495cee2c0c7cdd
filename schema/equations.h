#pragma once

#include <array>

#include "schema/operators.h"

namespace zifrel {

// Every equation is checked in one of two forms: first × second = result or
// first + second = result.
enum class EquationForm : int { Product = 0, Sum = 1 };

// The six equations as (left operand, right operand, result) cells 0..8:
// rows 1..3, then columns 1..3. Equation e takes operator o(e+1).
inline constexpr std::array<std::array<int, 3>, kOperatorCount> kEquationCells = {
    {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}}};

struct SchemaEquation {
  EquationForm form;
  int first;
  int second;
  int result;
};

// a ÷ b = r holds when r × b = a, and a − b = r when r + b = a: a divide or a
// minus becomes a product or a sum with the first and result cells exchanged,
// so a division must be exact and no value is ever negative.
constexpr SchemaEquation NormaliseEquation(int equation, OpCode op) {
  auto [a, b, r] = kEquationCells[equation];
  if (op & 2) std::swap(a, r);
  return {static_cast<EquationForm>(op & 1), a, b, r};
}

}  // namespace zifrel
