#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "libero/exact_arithmetic.h"
#include "libero/interval_arithmetic.h"
#include "libero/relation_check.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

// Each variable's digits in a subtree of the search: low[v]..high[v]. A
// variable that has its digit already has low = high.
struct DigitRanges {
  std::array<std::int8_t, kMaxVariables + 1> low{};
  std::array<std::int8_t, kMaxVariables + 1> high{};
};

// What a full code says for every assignment in the ranges, computed on
// intervals: Fails when the relation is false for all of them (an operation
// that fails makes it false too), Holds when it is true for all of them and
// no operation can fail, Unknown when it may be either. Past 128 bits the
// intervals are bounds of magnitude, which settle less but never wrongly.
RangeVerdict EvaluateRange(const RelationCode& code, const DigitRanges& ranges);

// How far apart the two sides of the relation can be over the ranges: the
// width of the interval of their difference; nothing when it does not fit.
std::optional<Wide> RangeSpread(const RelationCode& code, const DigitRanges& ranges);

}  // namespace zifrel::libero
