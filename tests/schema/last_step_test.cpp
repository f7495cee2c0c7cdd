#include "schema/last_step.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schema/grid_search.h"
#include "schema/op_combo_table.h"

namespace zifrel {
namespace {

// The last free step with value v and the derived steps, straight from the
// step tables: whether v gets through them.
bool Passes(const GenPlan& plan, NumberGrid x, int v, int max) {
  const auto& f = plan.free[1];
  switch (f.kind) {
    case FreeKind::ProductFirstKnown:
      if (v * x[f.first] > max) return false;
      x[f.second] = v, x[f.result] = x[f.first] * v;
      break;
    case FreeKind::ProductSecondKnown:
      if (v * x[f.second] > max) return false;
      x[f.first] = v, x[f.result] = v * x[f.second];
      break;
    case FreeKind::SumFirstKnown:
      if (v + x[f.first] > max) return false;
      x[f.second] = v, x[f.result] = x[f.first] + v;
      break;
    case FreeKind::SumSecondKnown:
      if (v + x[f.second] > max) return false;
      x[f.first] = v, x[f.result] = v + x[f.second];
      break;
    case FreeKind::SumResultKnown:
      if (v >= x[f.result]) return false;
      x[f.first] = v, x[f.second] = x[f.result] - v;
      break;
    case FreeKind::ProductResultKnown:
      return false;
  }
  for (const auto& d : plan.derived) {
    int &a = x[d.first], &b = x[d.second], &r = x[d.result];
    switch (d.kind) {
      case DerivedKind::ProductCheck: if (a * b != r) return false; break;
      case DerivedKind::SumCheck: if (a + b != r) return false; break;
      case DerivedKind::ProductFindsFirst: if (r % b != 0) return false; a = r / b; break;
      case DerivedKind::SumFindsFirst: if (b >= r) return false; a = r - b; break;
      case DerivedKind::ProductFindsSecond: if (r % a != 0) return false; b = r / a; break;
      case DerivedKind::SumFindsSecond: if (a >= r) return false; b = r - a; break;
      case DerivedKind::ProductFindsResult: if (a * b > max) return false; r = a * b; break;
      case DerivedKind::SumFindsResult: if (a + b > max) return false; r = a + b; break;
    }
  }
  return true;
}

// Against trying every value: the value computed is the only one that gets
// through, "none" means none does, and "any" is said only when the check
// cannot tell the values apart.
TEST(OnlyLastValue, AgreesWithTryingEveryValue) {
  SubtractiveRng rng;
  rng.Seed(12);
  int linear = 0, found = 0, walked = 0;
  for (int code = 0; code < 4096; ++code) {
    const GenPlan plan = BuildPlan(OpCodesOfCode(code));
    if (!LastStepIsLinear(plan)) continue;
    ++linear;
    for (int trial = 0; trial < 24; ++trial) {
      const int max = trial % 2 ? 999 : 99;
      NumberGrid x{};
      // Small values make grids that pass far more often than chance would.
      for (int& cell : x) cell = 1 + static_cast<int>(rng.Below(trial % 4 < 2 ? 12 : max));
      std::vector<int> passing;
      for (int v = 1; v <= max; ++v) {
        if (Passes(plan, x, v, max)) passing.push_back(v);
      }
      const int only = OnlyLastValue(plan, x, max);
      const std::string context = "code " + std::to_string(code) + " trial " + std::to_string(trial);
      if (only == kAnyLastValue) {
        ++walked;
      } else if (only == kNoLastValue) {
        EXPECT_TRUE(passing.empty()) << context << ": " << passing.size() << " pass, first " << passing[0];
      } else {
        EXPECT_EQ(passing, std::vector<int>{only}) << context;
        ++found;
      }
    }
  }
  EXPECT_GT(linear, 1000);  // most plans can be solved
  EXPECT_GT(found, 1000);
  EXPECT_LT(walked, found);
}

// The search finds the same grids whether it computes the last step's value
// or walks the values in their order, as the plain search does.
TEST(OnlyLastValue, TheSearchFindsTheSameGridsAsTheWalk) {
  SubtractiveRng rng;
  rng.Seed(5);
  DivisorTable table;
  table.Build(rng);
  StopFlag stop;
  GridSearch solved(table), walked(table);
  walked.SetWalkLastStep(true);
  int compared = 0;
  for (int code = 0; code < 4096 && compared < 40; code += 23) {
    const OpCodes ops = OpCodesOfCode(code);
    const GenPlan plan = BuildPlan(ops);
    if (!IsAdmitted(ops) || !LastStepIsLinear(plan)) continue;
    SubtractiveRng twin = rng;
    solved.DrawValueOrders(rng, 999);
    walked.DrawValueOrders(twin, 999);
    solved.SetPlan(plan);
    walked.SetPlan(plan);
    const bool found = solved.SearchGrid(stop);
    ASSERT_EQ(found, walked.SearchGrid(stop)) << "code " << code;
    EXPECT_EQ(solved.Grid(), walked.Grid()) << "code " << code;
    ++compared;
  }
  EXPECT_EQ(compared, 40);
}

}  // namespace
}  // namespace zifrel
