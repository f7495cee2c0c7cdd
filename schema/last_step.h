#pragma once

#include "schema/grid_plan.h"
#include "schema/schema_lines.h"

namespace zifrel {

// The grid search spends nearly all its time in the last free step, walking
// every value of its order and running the derived steps on each. For most
// plans every cell below that step is an affine function a + b·v of the
// step's value v: sums and differences, and products with a known factor.
// Then the derived steps' bounds make an interval for v and their one pure
// check a linear equation, so at most one value can pass, and it can be
// computed instead of searched for. Since it is the only value that can
// pass, it is also the first that the walk in the value order would find.

// Whether the plan's last free step and derived steps have that shape. It
// depends on the plan alone.
bool LastStepIsLinear(const GenPlan& plan);

inline constexpr int kNoLastValue = 0;    // no value can pass
inline constexpr int kAnyLastValue = -1;  // the check holds whatever the value: walk them

// For a linear plan, with the cells known before the last free step in `x`:
// the one value 1..max that can pass the step's bound and the derived steps,
// or one of the two answers above.
int OnlyLastValue(const GenPlan& plan, const NumberGrid& x, int max);

}  // namespace zifrel
