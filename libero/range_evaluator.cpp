#include "libero/range_evaluator.h"

#include <algorithm>

#include "libero/evaluator.h"

namespace zifrel::libero {
namespace {

struct Interval {
  std::int64_t low;
  std::int64_t high;
};

bool Multiply(std::int64_t a, std::int64_t b, std::int64_t& r) { return !__builtin_mul_overflow(a, b, &r); }

bool Times(Interval a, Interval b, Interval& r) {
  std::int64_t p[4];
  if (!Multiply(a.low, b.low, p[0]) || !Multiply(a.low, b.high, p[1]) || !Multiply(a.high, b.low, p[2]) ||
      !Multiply(a.high, b.high, p[3])) {
    return false;
  }
  r = {*std::min_element(p, p + 4), *std::max_element(p, p + 4)};
  return true;
}

bool Raise(std::int64_t x, int e, std::int64_t& r) {
  r = 1;
  for (int i = 0; i < e; ++i) {
    if (!Multiply(r, x, r)) return false;
  }
  return true;
}

// x^e over an interval of x, for a known exponent: monotonic for an odd
// exponent, and for an even one lowest at the value nearest 0.
bool Power(Interval a, std::int64_t e, Interval& r) {
  if (e < 0 || e > kMaxExponent) return false;
  std::int64_t low, high;
  if (!Raise(a.low, static_cast<int>(e), low) || !Raise(a.high, static_cast<int>(e), high)) return false;
  if (e % 2 == 1 || a.low >= 0) {
    r = {low, high};
  } else if (a.high <= 0) {
    r = {high, low};
  } else {
    r = {e == 0 ? 1 : 0, std::max(low, high)};
  }
  return true;
}

RangeVerdict Compare(std::int32_t op, Interval a, Interval b) {
  bool holds = false, fails = false;
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
  return holds ? RangeVerdict::Holds : fails ? RangeVerdict::Fails : RangeVerdict::Unknown;
}

std::int32_t OperatorOf(std::int32_t word) {
  if (word >= kFirstOperatorWord && word <= kFirstOperatorWord + kDifferent) return word - kFirstOperatorWord;
  if (word >= kFirstExactOperatorWord && word <= kFirstExactOperatorWord + kDifferent) {
    return word - kFirstExactOperatorWord;
  }
  return -1;
}

}  // namespace

bool HasRanges(const RelationCode& code) {
  for (int i = 0; i < code.length; ++i) {
    const std::int32_t op = OperatorOf(code.words[i]);
    if (op == kDivide || op == kQuotient) return false;
  }
  return true;
}

RangeVerdict EvaluateRange(const RelationCode& code, const DigitRanges& ranges) {
  Interval stack[kStackCapacity];
  int top = -1;
  for (int i = 0; i < code.length; ++i) {
    const std::int32_t w = code.words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return RangeVerdict::Unknown;
      stack[++top] = {0, 0};
      continue;
    }
    if (w > 0 && w < kFirstOperatorWord) {  // a word's digits: the number only grows
      if (top < 0) return RangeVerdict::Unknown;
      std::int64_t low = 0, high = 0;
      if (w <= kMaxVariables) {
        low = ranges.low[w], high = ranges.high[w];
      } else if (w >= kFirstConstantWord && w < kFirstConstantWord + 10) {
        low = high = w - kFirstConstantWord;
      }
      Interval& t = stack[top];
      if (!Multiply(t.low, 10, t.low) || !Multiply(t.high, 10, t.high)) return RangeVerdict::Unknown;
      if (__builtin_add_overflow(t.low, low, &t.low) || __builtin_add_overflow(t.high, high, &t.high)) {
        return RangeVerdict::Unknown;
      }
      continue;
    }
    const std::int32_t op = OperatorOf(w);
    if (op < 0) continue;
    if (top < 1) return RangeVerdict::Unknown;
    const Interval b = stack[top--];
    Interval& a = stack[top];
    if (op >= kEqual) return Compare(op, a, b);
    bool exact = true;
    switch (op) {
      case kPlus:
        exact = !__builtin_add_overflow(a.low, b.low, &a.low) && !__builtin_add_overflow(a.high, b.high, &a.high);
        break;
      case kMinus: {
        const Interval r = a;
        exact = !__builtin_sub_overflow(r.low, b.high, &a.low) && !__builtin_sub_overflow(r.high, b.low, &a.high);
        break;
      }
      case kTimes:
        exact = Times(a, b, a);
        break;
      case kPower:
        // A range of exponents may hold some that fail; only a known one is safe.
        exact = b.low == b.high && Power(a, b.low, a);
        break;
      default:
        exact = false;
    }
    if (!exact) return RangeVerdict::Unknown;
  }
  return RangeVerdict::Unknown;
}

}  // namespace zifrel::libero
