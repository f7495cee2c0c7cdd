#pragma once

#include <array>
#include <cstdint>

#include "generate/divisor_table.h"
#include "generate/grid_plan.h"
#include "schema/schema_lines.h"

namespace zifrel {

// The grid search spends nearly all its time in the last free step, walking
// every value v of its order and running the derived steps on each. For
// most plans every cell below that step is an affine function a + b·v, and
// the derived steps narrow v down to a few values: a linear check leaves
// one, a product of two cells that both move with v at most two, and a
// quotient whose divisor moves with v only those that make it a divisor of
// its known dividend, which the divisor table lists. Those values can be
// computed instead of walked to. Tried in the order of the walk, the first
// that passes is the one the walk would stop at.

// A divisor list, with 1 and the number itself.
inline constexpr int kMaxLastValues = 64;

struct LastValues {
  enum class Kind { kWalk, kListed };
  Kind kind = Kind::kWalk;  // kWalk: the values cannot be narrowed down; walk them all
  int count = 0;
  std::array<std::int32_t, kMaxLastValues> values{};  // kListed: every value that may pass
};

// With the cells known before the last free step in `x`.
LastValues CandidateLastValues(const GenPlan& plan, const NumberGrid& x, int max, const DivisorTable& divisors);

}  // namespace zifrel
