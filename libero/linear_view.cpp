#include "libero/linear_view.h"

#include <algorithm>
#include <vector>

#include "libero/evaluator.h"

namespace zifrel::libero {
namespace {

struct LinearValue {
  LinearForm form;
  bool linear = true;

  bool IsConstant() const {
    return linear && std::all_of(form.weight.begin(), form.weight.end(), [](std::int64_t w) { return w == 0; });
  }
};

LinearValue Nonlinear() {
  LinearValue v;
  v.linear = false;
  return v;
}

LinearValue Scaled(LinearValue v, std::int64_t factor) {
  bool overflow = __builtin_mul_overflow(v.form.constant, factor, &v.form.constant);
  for (std::int64_t& w : v.form.weight) overflow = __builtin_mul_overflow(w, factor, &w) || overflow;
  return overflow ? Nonlinear() : v;
}

LinearValue Combined(LinearValue a, const LinearValue& b, bool subtract) {
  if (!a.linear || !b.linear) return Nonlinear();
  const auto combine = [subtract](std::int64_t x, std::int64_t y, std::int64_t& r) {
    return subtract ? __builtin_sub_overflow(x, y, &r) : __builtin_add_overflow(x, y, &r);
  };
  bool overflow = combine(a.form.constant, b.form.constant, a.form.constant);
  for (int v = 0; v <= kMaxVariables; ++v) {
    overflow = combine(a.form.weight[v], b.form.weight[v], a.form.weight[v]) || overflow;
  }
  return overflow ? Nonlinear() : a;
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
      // Folded only between constants, and only when it succeeds in 64 bits:
      // anything else is left to the evaluation, which knows what to do.
      std::int64_t r = 0;
      if (!a.IsConstant() || !b.IsConstant() || Apply(op, a.form.constant, b.form.constant, r) != Outcome::kDone) {
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
    } else if (IsDigitWord(w)) {
      if (stack.empty()) return std::nullopt;
      LinearValue& top = stack.back();
      top = Scaled(top, 10);
      if (!top.linear) continue;
      std::int64_t& term = IsVariableWord(w) ? top.form.weight[w] : top.form.constant;
      if (__builtin_add_overflow(term, IsVariableWord(w) ? 1 : constants[w], &term)) top = Nonlinear();
    } else if (const std::int32_t op = OperatorOf(w); op >= 0) {
      if (stack.size() < 2) return std::nullopt;
      const LinearValue b = stack.back();
      stack.pop_back();
      const LinearValue a = stack.back();
      if (IsComparison(op)) {
        if (!a.linear || !b.linear) return std::nullopt;
        return LinearRelation{op, a.form, b.form};
      }
      stack.back() = ApplyLinear(op, a, b);
    }
  }
  return std::nullopt;
}

}  // namespace zifrel::libero
