#include "generate/last_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

// Whether v, as the value of the last free step, gets through that step and
// the derived steps, trying the steps' rules plainly. A kind is the form (1 a
// sum) plus the cell known (free) or computed (derived): first, second,
// result as 2, 4, 8 or 4, 8, 16.
bool Passes(const GenPlan& plan, NumberGrid x, int v, int max) {
  const auto apply = [](int sum, int a, int b) { return sum ? a + b : a * b; };
  // The missing operand of a sum or product r with operand b, 0 when none.
  const auto undo = [](int sum, int r, int b) { return sum ? (r > b ? r - b : 0) : (r % b ? 0 : r / b); };
  const auto fits = [&](int a, int b, int r) { return a > 0 && b > 0 && r <= max; };
  const auto& f = plan.free[1];
  const int freeKind = static_cast<int>(f.kind);
  if (freeKind == static_cast<int>(FreeKind::kProductResultKnown)) return false;  // never linear
  if (freeKind >= 8) {
    x[f.first] = v, x[f.second] = undo(1, x[f.result], v);
  } else {
    (freeKind >= 4 ? x[f.first] : x[f.second]) = v;
    x[f.result] = apply(freeKind & 1, x[f.first], x[f.second]);
  }
  if (!fits(x[f.first], x[f.second], x[f.result])) return false;
  for (const auto& d : plan.derived) {
    int &a = x[d.first], &b = x[d.second], &r = x[d.result];
    const int kind = static_cast<int>(d.kind), sum = kind & 1;
    if (kind >= 16) {
      r = apply(sum, a, b);
    } else if (kind >= 8) {
      b = undo(sum, r, a);
    } else if (kind >= 4) {
      a = undo(sum, r, b);
    } else if (apply(sum, a, b) != r) {
      return false;
    }
    if (!fits(a, b, r)) return false;
  }
  return true;
}

// Against trying every value: every value that gets through is listed, so
// that the search, trying the listed values in the walk's order, stops at
// the value the walk would stop at.
TEST(CandidateLastValues, ListEveryValueThatPasses) {
  GeneratorState state = testing::Started(12);
  SubtractiveRng& rng = state.random;
  int listed = 0, plans = 0;
  for (int code = 0; code < 4096; ++code) {
    const GenPlan plan = BuildPlan(OpCodesOfCode(code));
    if (plan.free[1].kind == FreeKind::kProductResultKnown) continue;  // walked always
    ++plans;
    for (int trial = 0; trial < 24; ++trial) {
      const int max = trial % 2 ? 999 : 99;
      NumberGrid x{};
      // Small values make grids that pass far more often than chance would.
      for (int& cell : x) cell = 1 + static_cast<int>(rng.Below(trial % 4 < 2 ? 12 : max));
      const LastValues values = CandidateLastValues(plan, x, max, state.divisorTable);
      if (values.kind != LastValues::Kind::kListed) continue;
      ++listed;
      for (int v = 1; v <= max; ++v) {
        const bool isListed = std::find(values.values.begin(), values.values.begin() + values.count, v) !=
                              values.values.begin() + values.count;
        if (Passes(plan, x, v, max)) {
          EXPECT_TRUE(isListed) << "code " << code << " trial " << trial << " v " << v;
        }
      }
    }
  }
  EXPECT_GT(listed, 24 * plans * 3 / 4);  // most can be narrowed down
}

TEST(CandidateLastValues, TheSearchFindsTheSameGridsAsTheWalk) {
  GeneratorState state = testing::Started(5);
  int compared = 0;
  for (int code = 0; code < 4096 && compared < 40; code += 23) {
    if (!IsAdmittedCode(code)) continue;
    EXPECT_EQ(testing::ShortcutFault(state.random, state.divisorTable, OpCodesOfCode(code)), "") << "code " << code;
    ++compared;
  }
  EXPECT_EQ(compared, 40);
}

}  // namespace
}  // namespace zifrel
