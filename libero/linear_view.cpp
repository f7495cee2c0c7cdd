#include "libero/linear_view.h"

#include <algorithm>

#include "libero/code_walk.h"
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

LinearValue ApplyLinear(Operator op, const LinearValue& a, const LinearValue& b) {
  if (!a.linear || !b.linear) return Nonlinear();
  using enum Operator;
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

// The walk: each value a linear form, or nonlinear.
struct LinearMeaning {
  using Value = LinearValue;
  std::optional<LinearRelation> relation;

  LinearValue Start() const { return {}; }
  bool Append(LinearValue& top, std::int32_t w) const {
    top = Scaled(top, 10);
    if (!top.linear) return true;
    std::int64_t& term = IsVariableWord(w) ? top.form.weight[w] : top.form.constant;
    if (__builtin_add_overflow(term, IsVariableWord(w) ? 1 : InitialDigitValues()[w], &term)) top = Nonlinear();
    return true;
  }
  bool Operate(Operator op, bool, LinearValue& a, const LinearValue& b) const {
    a = ApplyLinear(op, a, b);
    return true;
  }
  void Compare(Operator op, const LinearValue& a, const LinearValue& b) {
    if (a.linear && b.linear) relation = LinearRelation{op, a.form, b.form};
  }
};

}  // namespace

std::optional<LinearRelation> LinearView(const RelationCode& full) {
  LinearMeaning meaning;
  WalkCode(full, meaning);
  return meaning.relation;
}

}  // namespace zifrel::libero
