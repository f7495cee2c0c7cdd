#pragma once

#include "generate/subtractive_rng.h"
#include "schema/operators.h"

namespace zifrel {

// Six random operators forming an admitted combination: six draws of
// Below(4), o1 first, repeated until the combination is admitted.
OpCodes DrawRandomOperators(SubtractiveRng& rng);

}  // namespace zifrel
