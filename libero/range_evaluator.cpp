#include "libero/range_evaluator.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>

#include "libero/code_walk.h"
#include "libero/interval_arithmetic.h"

namespace zifrel::libero {

using range::Operation;

namespace {

// The two sides of a relation over the ranges, its operator, and whether an
// operation may fail on the way or always fails.
struct Sides {
  Interval left;
  Interval right;
  Operator op = Operator::kEqual;
  bool mayFail = false;
  bool alwaysFails = false;
};

// The walk in one width: the sides, or a walk that halts where an interval
// does not fit or where every assignment fails.
template <class Int>
struct RangeMeaning {
  using Value = Span<Int>;
  const DigitRanges& ranges;
  Sides sides{};
  bool tooWide = false;

  Span<Int> Start() const { return {0, 0}; }
  bool Append(Span<Int>& t, std::int32_t w) {  // a word's digits: the number only grows
    Int low = 0, high = 0;
    if (IsVariableWord(w)) {
      low = ranges.low[w], high = ranges.high[w];
    } else if (w >= kFirstConstantWord && w < kFirstConstantWord + 10) {
      low = high = w - kFirstConstantWord;
    }
    if (__builtin_mul_overflow(t.low, 10, &t.low) || __builtin_mul_overflow(t.high, 10, &t.high) ||
        __builtin_add_overflow(t.low, low, &t.low) || __builtin_add_overflow(t.high, high, &t.high)) {
      tooWide = true;
      return false;
    }
    return true;
  }
  bool Operate(Operator op, bool, Span<Int>& a, const Span<Int>& b) {
    Operation<Int> r;
    switch (ApplyRange(op, a, b, r)) {
      case Outcome::kDone:
        a = r.result;
        sides.mayFail = sides.mayFail || r.mayFail;
        return true;
      case Outcome::kFails:
        sides.alwaysFails = true;  // every assignment fails here
        return false;
      case Outcome::kTooWide:
        tooWide = true;
        return false;
    }
    return false;
  }
  void Compare(Operator op, const Span<Int>& a, const Span<Int>& b) {
    sides.left = {a.low, a.high};
    sides.right = {b.low, b.high};
    sides.op = op;
  }
};

// The evaluation in one width; nothing when an interval does not fit, or
// when the code is not a relation.
template <class Int>
std::optional<Sides> SidesIn(const RelationCode& code, const DigitRanges& ranges) {
  RangeMeaning<Int> meaning{ranges};
  const WalkEnd end = WalkCode(code, meaning);
  if (end == WalkEnd::kMalformed || meaning.tooWide) return std::nullopt;
  return meaning.sides;
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
