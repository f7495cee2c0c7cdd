#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "libero/relation_check.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

// One side of a relation as constant + sum of weight[v] * digit of v.
struct LinearForm {
  std::int64_t constant = 0;
  std::array<std::int64_t, kMaxVariables + 1> weight{};  // by variable number; entry 0 unused
};

struct LinearRelation {
  Operator op = Operator::kEqual;  // a comparison
  LinearForm left;
  LinearForm right;
};

// The relation as two linear forms, when both sides are sums of multiples of
// digits, no operation on the way can fail and every weight and constant is
// an exact 64-bit value. The forms then give the relation's values for every
// assignment, as long as their sums stay within 64 bits too.
std::optional<LinearRelation> LinearView(const RelationCode& full);

}  // namespace zifrel::libero
