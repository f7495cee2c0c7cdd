#include "libero/range_evaluator.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <type_traits>

#include "libero/code_walk.h"
#include "libero/interval_arithmetic.h"

namespace zifrel::libero {

using range::Operation;

namespace {

// The two sides of a relation over the ranges, its operator, and whether an
// operation may fail on the way or always fails.
template <class Int>
struct Sides {
  Span<Int> left;
  Span<Int> right;
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
  Sides<Int> sides{};
  bool tooWide = false;

  Span<Int> Start() const { return {0, 0}; }
  bool Append(Span<Int>& t, std::int32_t w) {  // a word's digits: the number only grows
    Int low = 0, high = 0;
    if (IsVariableWord(w)) {
      low = ranges.low[w], high = ranges.high[w];
    } else if (w >= kFirstConstantWord && w < kFirstConstantWord + 10) {
      low = high = w - kFirstConstantWord;
    }
    if constexpr (std::is_floating_point_v<Int>) {  // no word comes near the cap
      t.low = std::ceil(range::Down(t.low * 10 + low));
      t.high = std::floor(range::Up(t.high * 10 + high));
    } else if (__builtin_mul_overflow(t.low, 10, &t.low) || __builtin_mul_overflow(t.high, 10, &t.high) ||
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
    sides.left = a;
    sides.right = b;
    sides.op = op;
  }
};

// The evaluation in one width; nothing when an interval does not fit, or
// when the code is not a relation.
template <class Int>
std::optional<Sides<Int>> SidesIn(const RelationCode& code, const DigitRanges& ranges) {
  RangeMeaning<Int> meaning{ranges};
  const WalkEnd end = WalkCode(code, meaning);
  if (end == WalkEnd::kMalformed || meaning.tooWide) return std::nullopt;
  return meaning.sides;
}

template <class Int>
std::optional<RangeVerdict> VerdictIn(const RelationCode& code, const DigitRanges& ranges) {
  const std::optional<Sides<Int>> sides = SidesIn<Int>(code, ranges);
  if (!sides) return std::nullopt;
  if (sides->alwaysFails) return RangeVerdict::kFails;
  const RangeVerdict verdict = CompareRange(sides->op, sides->left, sides->right);
  return verdict == RangeVerdict::kHolds && sides->mayFail ? RangeVerdict::kUnknown : verdict;
}

}  // namespace

// In 64 bits first, which nearly always suffice, then in 128, then in
// magnitudes that reach past the cap.
RangeVerdict EvaluateRange(const RelationCode& code, const DigitRanges& ranges) {
  if (const std::optional<RangeVerdict> v = VerdictIn<std::int64_t>(code, ranges)) return *v;
  if (const std::optional<RangeVerdict> v = VerdictIn<Wide>(code, ranges)) return *v;
  return VerdictIn<range::Magnitude>(code, ranges).value_or(RangeVerdict::kUnknown);
}

std::optional<Wide> RangeSpread(const RelationCode& code, const DigitRanges& ranges) {
  std::optional<Sides<Wide>> sides;
  if (const std::optional<Sides<std::int64_t>> narrow = SidesIn<std::int64_t>(code, ranges)) {
    sides = Sides<Wide>{{narrow->left.low, narrow->left.high},
                        {narrow->right.low, narrow->right.high},
                        narrow->op,
                        narrow->mayFail,
                        narrow->alwaysFails};
  } else {
    sides = SidesIn<Wide>(code, ranges);
  }
  if (!sides || sides->alwaysFails) return std::nullopt;
  Wide high, low, spread;
  if (__builtin_sub_overflow(sides->left.high, sides->right.low, &high) ||
      __builtin_sub_overflow(sides->left.low, sides->right.high, &low) || __builtin_sub_overflow(high, low, &spread)) {
    return std::nullopt;
  }
  return spread;
}

}  // namespace zifrel::libero
