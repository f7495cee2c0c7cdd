#pragma once

#include <cstdint>
#include <limits>

#include "libero/relation_code.h"

namespace zifrel::libero {

// Every value of a relation is an exact integer: words, sums, differences,
// products, quotients, remainders and powers. Nothing wraps around. A value
// whose magnitude would reach 2^kMaxValueBits cannot be computed; like a
// division by zero, it makes the relation false for that assignment.
inline constexpr int kMaxValueBits = 4096;
inline constexpr int kMaxExponent = 20;

using Wide = __int128;

// What one operation gives in a fixed width: its result, a failure (the
// relation is false), or a result too wide for this width, to be computed
// again in a wider one.
enum class Outcome : std::uint8_t { kDone, kFails, kTooWide };

// One arithmetic operator (kPlus .. kQuotient) on 64 or 128 bits, with
// overflow detected. ":" is exact division; "%" the quotient truncated
// toward zero; "^" takes an exponent 0..20, and 0^0 is 1.
template <class Int>
Outcome Apply(Operator op, Int a, Int b, Int& r) {
  static_assert(std::is_same_v<Int, std::int64_t> || std::is_same_v<Int, Wide>);
  using enum Operator;
  switch (op) {
    case kPlus:
      return __builtin_add_overflow(a, b, &r) ? Outcome::kTooWide : Outcome::kDone;
    case kMinus:
      return __builtin_sub_overflow(a, b, &r) ? Outcome::kTooWide : Outcome::kDone;
    case kTimes:
      return __builtin_mul_overflow(a, b, &r) ? Outcome::kTooWide : Outcome::kDone;
    case kDivide:
    case kQuotient: {
      if (b == 0) return Outcome::kFails;
      // The one quotient that does not fit: the smallest value by -1.
      if (b == -1) return __builtin_sub_overflow(Int{0}, a, &r) ? Outcome::kTooWide : Outcome::kDone;
      if (op == kDivide && a % b != 0) return Outcome::kFails;
      r = a / b;
      return Outcome::kDone;
    }
    case kPower: {
      if (b < 0 || b > kMaxExponent) return Outcome::kFails;
      // Square and multiply. A square that does not fit means a power that
      // does not either: it would be a factor of the result.
      Int power = 1;
      Int base = a;
      for (int e = static_cast<int>(b);;) {
        if ((e & 1) != 0 && __builtin_mul_overflow(power, base, &power)) return Outcome::kTooWide;
        e >>= 1;
        if (e == 0) break;
        if (__builtin_mul_overflow(base, base, &base)) return Outcome::kTooWide;
      }
      r = power;
      return Outcome::kDone;
    }
    default:
      return Outcome::kFails;
  }
}

// The one comparison of two values (kEqual .. kDifferent).
template <class Value>
bool Compare(Operator op, const Value& a, const Value& b) {
  using enum Operator;
  switch (op) {
    case kEqual:
      return a == b;
    case kLess:
      return a < b;
    case kGreater:
      return a > b;
    case kGreaterEqual:
      return a >= b;
    case kLessEqual:
      return a <= b;
    default:
      return a != b;
  }
}

}  // namespace zifrel::libero
