#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "libero/exact_arithmetic.h"
#include "libero/relation_code.h"

namespace zifrel::libero {

enum class RangeVerdict { kHolds, kFails, kUnknown };

// All the values a quantity takes over a subtree of the search lie in
// low..high.
template <class Int>
struct Span {
  Int low = 0;
  Int high = 0;
};

// The one comparison of two intervals: Holds or Fails when every pair of
// values in them compares so.
template <class Int>
[[gnu::always_inline]] inline RangeVerdict CompareRange(Operator op, const Span<Int>& a, const Span<Int>& b) {
  bool holds = false, fails = false;
  using enum Operator;
  switch (op) {
    case kEqual:
      holds = a.low == a.high && b.low == b.high && a.low == b.low;
      fails = a.high < b.low || b.high < a.low;
      break;
    case kLess:
      holds = a.high < b.low, fails = a.low >= b.high;
      break;
    case kGreater:
      holds = a.low > b.high, fails = a.high <= b.low;
      break;
    case kGreaterEqual:
      holds = a.low >= b.high, fails = a.high < b.low;
      break;
    case kLessEqual:
      holds = a.high <= b.low, fails = a.low > b.high;
      break;
    default:  // different
      holds = a.high < b.low || b.high < a.low;
      fails = a.low == a.high && b.low == b.high && a.low == b.low;
  }
  return holds ? RangeVerdict::kHolds : fails ? RangeVerdict::kFails : RangeVerdict::kUnknown;
}

namespace range {

// The interval of an operation's results over the intervals of its
// operands, where it succeeds; `mayFail` is set when it fails for some of
// them. kFails: it fails for all; kTooWide: a bound does not fit.
template <class Int>
struct Operation {
  Span<Int> result;
  bool mayFail = false;
};

template <class Int>
Outcome Extremes(std::initializer_list<Int> values, Span<Int>& r) {
  r = {std::min(values), std::max(values)};
  return Outcome::kDone;
}

template <class Int>
Outcome Times(const Span<Int>& a, const Span<Int>& b, Span<Int>& r) {
  Int p[4];
  if (__builtin_mul_overflow(a.low, b.low, &p[0]) || __builtin_mul_overflow(a.low, b.high, &p[1]) ||
      __builtin_mul_overflow(a.high, b.low, &p[2]) || __builtin_mul_overflow(a.high, b.high, &p[3])) {
    return Outcome::kTooWide;
  }
  return Extremes({p[0], p[1], p[2], p[3]}, r);
}

// A quotient truncated toward zero is monotonic in each operand while the
// divisor keeps its sign, so its extremes lie at the corners of each part
// of the divisor's interval that excludes 0.
template <class Int>
Outcome Quotient(Operator op, const Span<Int>& a, const Span<Int>& b, Operation<Int>& r) {
  if (b.low == 0 && b.high == 0) return Outcome::kFails;
  r.mayFail = b.low <= 0 && b.high >= 0;
  // An exact division may fail wherever it is inexact, unless it divides by
  // +-1 or both operands are known and it is exact.
  if (op == Operator::kDivide) {
    const bool unit = b.low == b.high && (b.low == 1 || b.low == -1);
    const bool knownExact = unit || (a.low == a.high && b.low == b.high && a.low % b.low == 0);
    r.mayFail = r.mayFail || !knownExact;
  }
  bool first = true;
  for (const Span<Int>& part :
       {Span<Int>{b.low, std::min<Int>(b.high, -1)}, Span<Int>{std::max<Int>(b.low, 1), b.high}}) {
    if (part.low > part.high) continue;
    for (const Int n : {a.low, a.high}) {
      for (const Int d : {part.low, part.high}) {
        if (d == -1 && n == std::numeric_limits<Int>::min()) return Outcome::kTooWide;
        const Int q = n / d;
        r.result = first ? Span<Int>{q, q} : Span<Int>{std::min(r.result.low, q), std::max(r.result.high, q)};
        first = false;
      }
    }
  }
  return Outcome::kDone;
}

template <class Int>
bool Raise(Int x, Int e, Int& r) {
  r = 1;
  for (; e > 0; --e) {
    if (__builtin_mul_overflow(r, x, &r)) return false;
  }
  return true;
}

// x^e for x in `a` and e in `e` (within 0..20).
template <class Int>
Outcome Power(const Span<Int>& a, const Span<Int>& e, Span<Int>& r) {
  if (e.low == e.high) {
    // A known exponent: monotonic when odd or over non-negative bases, and
    // for an even one lowest at the base nearest 0.
    Int low, high;
    if (!Raise(a.low, e.low, low) || !Raise(a.high, e.low, high)) return Outcome::kTooWide;
    if (e.low % 2 == 1 || a.low >= 0) return Extremes({low, high}, r);
    if (a.high <= 0) return Extremes({low, high}, r);
    r = {e.low == 0 ? 1 : 0, std::max(low, high)};
    return Outcome::kDone;
  }
  if (a.low >= 0) {
    // Over bases 0..: x^e grows with e for x >= 1; 0^e is 1 only for e = 0.
    Int low = 0, high = 0;
    if (a.low >= 1) {
      if (!Raise(a.low, e.low, low)) return Outcome::kTooWide;
    } else {
      low = e.high >= 1 ? 0 : 1;
    }
    if (!Raise(a.high, e.high, high)) return Outcome::kTooWide;
    r = {low, std::max<Int>(high, e.low == 0 ? 1 : 0)};
    return Outcome::kDone;
  }
  if (a.low == std::numeric_limits<Int>::min()) return Outcome::kTooWide;
  const Int magnitude = std::max<Int>(-a.low, a.high < 0 ? -a.high : a.high);
  Int reach;
  if (!Raise(magnitude, e.high, reach)) return Outcome::kTooWide;
  r = {-reach, std::max<Int>(reach, 1)};
  return Outcome::kDone;
}

template <class Int>
Outcome ApplyRange(Operator op, const Span<Int>& a, const Span<Int>& b, Operation<Int>& r) {
  using enum Operator;
  switch (op) {
    case kPlus:
      if (__builtin_add_overflow(a.low, b.low, &r.result.low) ||
          __builtin_add_overflow(a.high, b.high, &r.result.high)) {
        return Outcome::kTooWide;
      }
      return Outcome::kDone;
    case kMinus:
      if (__builtin_sub_overflow(a.low, b.high, &r.result.low) ||
          __builtin_sub_overflow(a.high, b.low, &r.result.high)) {
        return Outcome::kTooWide;
      }
      return Outcome::kDone;
    case kTimes:
      return Times(a, b, r.result);
    case kDivide:
    case kQuotient:
      return Quotient(op, a, b, r);
    case kPower: {
      const Span<Int> e{std::max<Int>(b.low, 0), std::min<Int>(b.high, kMaxExponent)};
      if (e.low > e.high) return Outcome::kFails;
      r.mayFail = e.low != b.low || e.high != b.high;
      return Power(a, e, r.result);
    }
    default:
      return Outcome::kFails;
  }
}

// Past 128 bits: bounds held as long doubles, whose exponent reaches far
// beyond the cap (2^16383) and whose 64-bit mantissa holds every 64-bit
// value. Each bound is rounded outward by one unit in the last place after
// every operation, so the interval always holds the true values, and then
// brought inward to whole numbers, which every true value is. A result
// that reaches the cap fails: an interval wholly past it fails for every
// assignment; one that crosses it is cut at the cap and may fail.
using Magnitude = long double;

inline const Magnitude kCap = std::ldexp(Magnitude{1}, kMaxValueBits);

inline Magnitude Down(Magnitude x) { return std::nextafter(x, -std::numeric_limits<Magnitude>::infinity()); }
inline Magnitude Up(Magnitude x) { return std::nextafter(x, std::numeric_limits<Magnitude>::infinity()); }

// The rounded bounds [low, high] made whole and held against the cap.
inline Outcome Settled(Magnitude low, Magnitude high, Operation<Magnitude>& r) {
  low = std::ceil(Down(low));
  high = std::floor(Up(high));
  if (low >= kCap || high <= -kCap) return Outcome::kFails;
  if (high >= kCap) high = kCap, r.mayFail = true;
  if (low <= -kCap) low = -kCap, r.mayFail = true;
  r.result = {low, high};
  return Outcome::kDone;
}

// |x|^e rounded up, or down; stops once past the cap, which is enough to
// know, so that nothing overflows.
inline Magnitude RaiseBound(Magnitude x, int e, bool up) {
  Magnitude r = 1;
  for (; e > 0 && r <= kCap; --e) r = up ? Up(r * x) : Down(r * x);
  return r;
}

inline Outcome ApplyRange(Operator op, const Span<Magnitude>& a, const Span<Magnitude>& b, Operation<Magnitude>& r) {
  using enum Operator;
  switch (op) {
    case kPlus:
      return Settled(a.low + b.low, a.high + b.high, r);
    case kMinus:
      return Settled(a.low - b.high, a.high - b.low, r);
    case kTimes: {
      const Magnitude p[4] = {a.low * b.low, a.low * b.high, a.high * b.low, a.high * b.high};
      return Settled(*std::min_element(p, p + 4), *std::max_element(p, p + 4), r);
    }
    case kDivide:
    case kQuotient: {
      if (b.low == 0 && b.high == 0) return Outcome::kFails;
      // Whether a wide division is exact cannot be told here.
      r.mayFail = (b.low <= 0 && b.high >= 0) || op == kDivide;
      Magnitude low = std::numeric_limits<Magnitude>::infinity(), high = -low;
      for (const Span<Magnitude>& part : {Span<Magnitude>{b.low, std::min<Magnitude>(b.high, -1)},
                                          Span<Magnitude>{std::max<Magnitude>(b.low, 1), b.high}}) {
        if (part.low > part.high) continue;
        for (const Magnitude n : {a.low, a.high}) {
          for (const Magnitude d : {part.low, part.high}) {
            // Truncation lies between the floor and the ceiling of the quotient.
            low = std::min(low, std::floor(Down(n / d)));
            high = std::max(high, std::ceil(Up(n / d)));
          }
        }
      }
      const bool mayFail = r.mayFail;
      const Outcome o = Settled(low, high, r);
      r.mayFail = r.mayFail || mayFail;
      return o;
    }
    case kPower: {
      const Magnitude eLow = std::max<Magnitude>(b.low, 0), eHigh = std::min<Magnitude>(b.high, kMaxExponent);
      if (eLow > eHigh) return Outcome::kFails;
      r.mayFail = eLow != b.low || eHigh != b.high;
      // The magnitudes of the bases: the largest, and the smallest (0 when
      // the interval holds 0).
      const Magnitude most = std::max(std::fabs(a.low), std::fabs(a.high));
      const Magnitude least = a.low <= 0 && a.high >= 0 ? 0 : std::min(std::fabs(a.low), std::fabs(a.high));
      Magnitude low = std::numeric_limits<Magnitude>::infinity(), high = -low;
      for (int e = static_cast<int>(eLow); e <= static_cast<int>(eHigh); ++e) {
        const Magnitude reach = RaiseBound(most, e, true);
        if (e % 2 == 0) {  // never negative
          low = std::min(low, RaiseBound(least, e, false));
          high = std::max(high, reach);
        } else {  // odd: x^e keeps the sign of x and grows with it
          low = std::min(low, a.low < 0 ? -RaiseBound(std::fabs(a.low), e, true) : RaiseBound(a.low, e, false));
          high = std::max(high, a.high < 0 ? -RaiseBound(std::fabs(a.high), e, false) : RaiseBound(a.high, e, true));
        }
      }
      const bool mayFail = r.mayFail;
      const Outcome o = Settled(low, high, r);
      r.mayFail = r.mayFail || mayFail;
      return o;
    }
    default:
      return Outcome::kFails;
  }
}

}  // namespace range

}  // namespace zifrel::libero
