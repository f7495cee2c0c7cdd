#include "libero/range_evaluator.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>

#include "libero/interval_arithmetic.h"

namespace zifrel::libero {

using range::Operation;

namespace {

// The two sides of a relation over the ranges, its operator, and whether an
// operation may fail on the way or always fails.
struct Sides {
  Interval left;
  Interval right;
  std::int32_t op = kEqual;
  bool mayFail = false;
  bool alwaysFails = false;
};

// The evaluation in one width; nothing when an interval does not fit, or
// when the code is not a relation.
template <class Int>
std::optional<Sides> SidesIn(const RelationCode& code, const DigitRanges& ranges) {
  Span<Int> stack[kStackCapacity];
  int top = -1;
  Sides sides;
  for (int i = 0; i < code.length; ++i) {
    const std::int32_t w = code.words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return std::nullopt;
      stack[++top] = {0, 0};
      continue;
    }
    if (IsDigitWord(w)) {  // a word's digits: the number only grows
      if (top < 0) return std::nullopt;
      Int low = 0, high = 0;
      if (IsVariableWord(w)) {
        low = ranges.low[w], high = ranges.high[w];
      } else if (w >= kFirstConstantWord && w < kFirstConstantWord + 10) {
        low = high = w - kFirstConstantWord;
      }
      Span<Int>& t = stack[top];
      if (__builtin_mul_overflow(t.low, 10, &t.low) || __builtin_mul_overflow(t.high, 10, &t.high) ||
          __builtin_add_overflow(t.low, low, &t.low) || __builtin_add_overflow(t.high, high, &t.high)) {
        return std::nullopt;
      }
      continue;
    }
    const std::int32_t op = OperatorOf(w);
    if (op < 0) continue;
    if (top < 1) return std::nullopt;
    const Span<Int> b = stack[top--];
    Span<Int>& a = stack[top];
    if (IsComparison(op)) {
      sides.left = {a.low, a.high};
      sides.right = {b.low, b.high};
      sides.op = op;
      return sides;
    }
    Operation<Int> r;
    switch (ApplyRange(op, a, b, r)) {
      case Outcome::kDone:
        break;
      case Outcome::kFails:
        sides.alwaysFails = true;  // every assignment fails here
        return sides;
      case Outcome::kTooWide:
        return std::nullopt;
    }
    a = r.result;
    sides.mayFail = sides.mayFail || r.mayFail;
  }
  return std::nullopt;
}

// In 64 bits first, which nearly always suffice, then in 128.
std::optional<Sides> SidesOf(const RelationCode& code, const DigitRanges& ranges) {
  if (std::optional<Sides> sides = SidesIn<std::int64_t>(code, ranges)) return sides;
  return SidesIn<Wide>(code, ranges);
}

}  // namespace

RangeVerdict EvaluateRange(const RelationCode& code, const DigitRanges& ranges) {
  const std::optional<Sides> sides = SidesOf(code, ranges);
  if (!sides) return RangeVerdict::Unknown;
  if (sides->alwaysFails) return RangeVerdict::Fails;
  const RangeVerdict verdict = CompareRange(sides->op, sides->left, sides->right);
  return verdict == RangeVerdict::Holds && sides->mayFail ? RangeVerdict::Unknown : verdict;
}

std::optional<Wide> RangeSpread(const RelationCode& code, const DigitRanges& ranges) {
  const std::optional<Sides> sides = SidesOf(code, ranges);
  if (!sides || sides->alwaysFails) return std::nullopt;
  Wide high, low, spread;
  if (__builtin_sub_overflow(sides->left.high, sides->right.low, &high) ||
      __builtin_sub_overflow(sides->left.low, sides->right.high, &low) || __builtin_sub_overflow(high, low, &spread)) {
    return std::nullopt;
  }
  return spread;
}

}  // namespace zifrel::libero
