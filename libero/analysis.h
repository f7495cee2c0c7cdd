#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "libero/relation_check.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

// Static facts about a full code that let a search test a relation early
// without ever changing its verdict.

// True when some value met while evaluating the code, the words themselves
// included, could leave the signed 64-bit range for some digits 0..9. Only a
// relation that cannot is equal in its last digits whenever it is equal: for
// one that can, a wrapped-around equality says nothing about last digits.
bool MayWrap(const RelationCode& full);

// One side of a relation as constant + sum of weight[v] * digit of v, in
// 64-bit arithmetic that wraps around, exactly as the evaluation computes it.
struct LinearForm {
  std::int64_t constant = 0;
  std::array<std::int64_t, kMaxVariables + 1> weight{};  // by variable number; entry 0 unused
};

struct LinearRelation {
  std::int32_t op = kEqual;  // kEqual .. kDifferent
  LinearForm left;
  LinearForm right;
};

// The relation as two linear forms, when both sides are sums of multiples of
// digits and no operation on the way can fail. Addition, subtraction and
// multiplication wrap around as ring operations, so the forms give exactly
// the evaluation's values for every assignment.
std::optional<LinearRelation> LinearView(const RelationCode& full);

}  // namespace zifrel::libero
