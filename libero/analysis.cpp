#include "libero/analysis.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "libero/evaluator.h"

namespace zifrel::libero {
namespace {

using Wide = __int128;

constexpr Wide kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr Wide kMax64 = std::numeric_limits<std::int64_t>::max();

struct Interval {
  Wide lo = 0;
  Wide hi = 0;
};

Wide Magnitude(const Interval& v) { return std::max(v.lo < 0 ? -v.lo : v.lo, v.hi < 0 ? -v.hi : v.hi); }

// The interval of an operator's true result, or nothing when the operator
// always fails (its result is then never used).
std::optional<Interval> Bound(std::int32_t op, const Interval& a, const Interval& b) {
  switch (op) {
    case kPlus:
      return Interval{a.lo + b.lo, a.hi + b.hi};
    case kMinus:
      return Interval{a.lo - b.hi, a.hi - b.lo};
    case kTimes: {
      const Wide p[] = {a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi};
      return Interval{*std::min_element(p, p + 4), *std::max_element(p, p + 4)};
    }
    case kDivide:
    case kQuotient: {
      const Wide m = Magnitude(a);  // |a div b| <= |a|, -1 included
      return Interval{-m, m};
    }
    case kPower: {
      const Wide top = std::min<Wide>(b.hi, kMaxExponent);
      if (b.lo > top || top < 0) return std::nullopt;
      const Wide base = Magnitude(a);
      Wide p = 1;
      for (Wide e = 0; e < top && base > 1 && p <= kMax64; ++e) p *= base;
      return Interval{-p, p};
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

bool MayWrap(const RelationCode& full) {
  std::array<Interval, kStackCapacity> stack;
  int top = -1;
  for (int i = 0; i < full.length; ++i) {
    const std::int32_t w = full.words[i];
    if (w == kStartWord) {
      if (top == kStackCapacity - 1) return true;
      stack[++top] = {};
    } else if (w > 0 && w < kFirstOperatorWord) {
      if (top < 0) return true;
      const bool variable = w <= kMaxVariables;
      const Wide digit = w >= kFirstConstantWord && w < kFirstConstantWord + 10 ? w - kFirstConstantWord : 0;
      stack[top] = {stack[top].lo * 10 + (variable ? 0 : digit), stack[top].hi * 10 + (variable ? 9 : digit)};
    } else if (w >= kFirstOperatorWord && w < kFirstOperatorWord + kEqual) {
      if (top < 1) return true;
      const Interval b = stack[top--];
      const std::optional<Interval> r = Bound(w - kFirstOperatorWord, stack[top], b);
      if (!r) return false;  // the evaluation ends at this operator, every time
      stack[top] = *r;
    } else if (w >= kFirstOperatorWord + kEqual && w <= kFirstOperatorWord + kDifferent) {
      return false;  // the relation operator ends the evaluation
    } else {
      continue;
    }
    if (stack[top].lo < kMin64 || stack[top].hi > kMax64) return true;
  }
  return false;
}

namespace {

struct LinearValue {
  LinearForm form;
  bool linear = true;

  bool IsConstant() const {
    return linear && std::all_of(form.weight.begin(), form.weight.end(), [](std::int64_t w) { return w == 0; });
  }
};

LinearValue Scaled(LinearValue v, std::int64_t factor) {
  v.form.constant = arith::Mul(v.form.constant, factor);
  for (std::int64_t& w : v.form.weight) w = arith::Mul(w, factor);
  return v;
}

LinearValue Combined(LinearValue a, const LinearValue& b, bool subtract) {
  a.linear = a.linear && b.linear;
  const auto op = subtract ? arith::Sub : arith::Add;
  a.form.constant = op(a.form.constant, b.form.constant);
  for (int v = 0; v <= kMaxVariables; ++v) a.form.weight[v] = op(a.form.weight[v], b.form.weight[v]);
  return a;
}

LinearValue Nonlinear() {
  LinearValue v;
  v.linear = false;
  return v;
}

LinearValue ApplyLinear(std::int32_t op, const LinearValue& a, const LinearValue& b) {
  if (!a.linear || !b.linear) return Nonlinear();
  switch (op) {
    case kPlus:
      return Combined(a, b, false);
    case kMinus:
      return Combined(a, b, true);
    case kTimes:
      if (a.IsConstant()) return Scaled(b, a.form.constant);
      if (b.IsConstant()) return Scaled(a, b.form.constant);
      return Nonlinear();
    case kPower:
      if (b.IsConstant() && b.form.constant == 1) return a;
      if (b.IsConstant() && b.form.constant == 0) return LinearValue{{1, {}}, true};  // x^0 is 1, 0^0 too
      [[fallthrough]];
    default: {
      // Folded only between constants, and only when it cannot fail: a
      // failing operation is left to the evaluation, which knows what to do.
      std::int64_t r = 0;
      if (!a.IsConstant() || !b.IsConstant() || !arith::Apply(op, a.form.constant, b.form.constant, r)) {
        return Nonlinear();
      }
      LinearValue c;
      c.form.constant = r;
      return c;
    }
  }
}

}  // namespace

std::optional<LinearRelation> LinearView(const RelationCode& full) {
  const DigitValues constants = InitialDigitValues();
  std::vector<LinearValue> stack;
  for (int i = 0; i < full.length; ++i) {
    const std::int32_t w = full.words[i];
    if (w == kStartWord) {
      stack.emplace_back();
    } else if (w > 0 && w < kFirstOperatorWord) {
      if (stack.empty()) return std::nullopt;
      LinearValue& top = stack.back();
      top = Scaled(top, 10);
      if (w <= kMaxVariables) {
        top.form.weight[w] = arith::Add(top.form.weight[w], 1);
      } else {
        top.form.constant = arith::Add(top.form.constant, constants[w]);
      }
    } else if (w >= kFirstOperatorWord && w <= kFirstOperatorWord + kDifferent) {
      if (stack.size() < 2) return std::nullopt;
      const LinearValue b = stack.back();
      stack.pop_back();
      const LinearValue a = stack.back();
      const std::int32_t op = w - kFirstOperatorWord;
      if (op >= kEqual) {
        if (!a.linear || !b.linear) return std::nullopt;
        return LinearRelation{op, a.form, b.form};
      }
      stack.back() = ApplyLinear(op, a, b);
    }
  }
  return std::nullopt;
}

}  // namespace zifrel::libero
