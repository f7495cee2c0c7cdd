#pragma once

#include <array>
#include <cstdint>

#include "libero/relation_check.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

// Each variable's digits in a subtree of the search: low[v]..high[v]. A
// variable that has its digit already has low = high.
struct DigitRanges {
  std::array<std::int8_t, kMaxVariables + 1> low{};
  std::array<std::int8_t, kMaxVariables + 1> high{};
};

enum class RangeVerdict { Holds, Fails, Unknown };

// What a full code says for every assignment in the ranges, computed on
// intervals: Holds or Fails when the relation is true, or false, for all of
// them; Unknown when it may be either, or when a value could leave 64 bits
// (then the wrapping evaluation may differ from the true one), or when the
// code divides (":" and "%" can fail for some assignments only).
RangeVerdict EvaluateRange(const RelationCode& code, const DigitRanges& ranges);

// Whether EvaluateRange can ever say more than Unknown about the code.
bool HasRanges(const RelationCode& code);

}  // namespace zifrel::libero
