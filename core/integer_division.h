#pragma once

#include <cstdint>

namespace zifrel {

// Quotients rounded down and up, for any signs; C++'s own division rounds
// toward zero. The divisor is not 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
constexpr std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return a / b + (a % b != 0 && (a < 0) == (b < 0)); }

static_assert(FloorDiv(-7, 2) == -4 && CeilDiv(-7, 2) == -3 && FloorDiv(7, 2) == 3 && CeilDiv(7, 2) == 4);
static_assert(FloorDiv(7, -2) == -4 && CeilDiv(7, -2) == -3 && FloorDiv(-6, 3) == -2 && CeilDiv(-6, 3) == -2);

}  // namespace zifrel
