#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "schema/grid_plan.h"
#include "schema/grid_search.h"
#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::GridFault;

OpCodes Ops(std::string_view text) {
  const std::optional<OpCodes> ops = ParseOperators(text);
  if (!ops) throw std::invalid_argument("bad operators");
  return *ops;
}

// Cells 1-based, x for a product and + for a sum: "3: 1+4=7".
std::string Equation(EquationForm form, int first, int second, int result) {
  std::ostringstream out;
  out << first + 1 << (form == EquationForm::Product ? 'x' : '+') << second + 1 << '=' << result + 1;
  return out.str();
}

std::string PlanText(const GenPlan& plan) {
  std::string text = "seed " + Equation(plan.seed.form, plan.seed.first, plan.seed.second, plan.seed.result);
  const auto add = [&](const auto& step) {
    const auto form = static_cast<EquationForm>(static_cast<int>(step.kind) & 1);
    text += " | " + std::to_string(static_cast<int>(step.kind)) + ": " +
            Equation(form, step.first, step.second, step.result);
  };
  for (const auto& step : plan.free) add(step);
  for (const auto& step : plan.derived) add(step);
  return text;
}

struct PlanCase {
  const char* behaviour;
  const char* ops;
  const char* plan;
};

class WorkedPlans : public ::testing::TestWithParam<PlanCase> {};

TEST_P(WorkedPlans, AreBuiltAsExpected) { EXPECT_EQ(PlanText(BuildPlan(Ops(GetParam().ops))), GetParam().plan); }

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedPlans,
    ::testing::Values(
        PlanCase{"all plus: free steps from known firsts, two differences, one check", "++++++",
                 "seed 1+2=3 | 3: 1+4=7 | 3: 7+8=9 | 9: 2+5=8 | 9: 3+6=9 | 1: 4+5=6"},
        PlanCase{"all minus: sums with first and result exchanged", "------",
                 "seed 3+2=1 | 9: 7+4=1 | 9: 9+8=7 | 9: 8+5=2 | 9: 9+6=3 | 1: 6+5=4"},
        PlanCase{"products move to the front, the sums out of order", "+++xxx",
                 "seed 1x4=7 | 3: 1+2=3 | 2: 3x6=9 | 9: 4+5=6 | 9: 7+8=9 | 0: 2x5=8"},
        PlanCase{"a seed in the middle row gives free steps with a known second", "+x++++",
                 "seed 4x5=6 | 5: 1+4=7 | 3: 7+8=9 | 5: 2+5=8 | 5: 3+6=9 | 1: 1+2=3"},
        PlanCase{"the worked grid's operators", "÷-+÷+÷",
                 "seed 3x2=1 | 8: 7x4=1 | 8: 9x6=3 | 9: 6+5=4 | 17: 2+5=8 | 1: 7+8=9"}));

// What the search relies on, for every one of the 4096 combinations: the six
// steps cover the six equations once each; each free step meets exactly one
// known cell; two derived steps compute the two cells still unknown and the
// last only checks.
TEST(BuildPlan, EveryCombinationHasTwoFreeStepsAndThreeDerivedOneACheck) {
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    const GenPlan plan = BuildPlan(ops);
    std::array<bool, kCellCount> known{};
    std::array<int, kOperatorCount> uses{};
    const auto cover = [&](EquationForm form, int first, int second, int result) {
      for (int e = 0; e < kOperatorCount; ++e) {
        const SchemaEquation n = NormaliseEquation(e, ops[e]);
        if (n.form == form && n.first == first && n.second == second && n.result == result) ++uses[e];
      }
      const int count = known[first] + known[second] + known[result];
      known[first] = known[second] = known[result] = true;
      return count;
    };
    const auto formOf = [](auto kind) { return static_cast<EquationForm>(static_cast<int>(kind) & 1); };

    ASSERT_EQ(cover(plan.seed.form, plan.seed.first, plan.seed.second, plan.seed.result), 0) << code;
    for (const auto& f : plan.free) {
      const int kind = static_cast<int>(f.kind);
      ASSERT_TRUE(kind == 2 || kind == 3 || kind == 4 || kind == 5 || kind == 8 || kind == 9) << code;
      ASSERT_EQ(cover(formOf(f.kind), f.first, f.second, f.result), 1) << "code " << code;
    }
    int checks = 0;
    for (const auto& d : plan.derived) {
      const int kind = static_cast<int>(d.kind);
      const int unknown = kind < 2 ? -1 : kind < 8 ? d.first : kind < 16 ? d.second : d.result;
      ASSERT_TRUE(unknown < 0 || !known[unknown]) << "code " << code;
      const int before = cover(formOf(d.kind), d.first, d.second, d.result);
      ASSERT_EQ(before, unknown < 0 ? 3 : 2) << "code " << code;
      checks += unknown < 0;
    }
    EXPECT_EQ(checks, 1) << "code " << code;
    EXPECT_EQ(uses, (std::array<int, kOperatorCount>{1, 1, 1, 1, 1, 1})) << "code " << code;
  }
}

std::string GridText(const NumberGrid& x) {
  std::string text;
  for (int v : x) text += std::to_string(v) + " ";
  return text;
}

class GridSearchTest : public ::testing::Test {
 protected:
  GridSearchTest() {
    rng.Seed(1);
    table.Build(rng);
  }
  GridSearch Prepared(const OpCodes& ops, int max) {
    GridSearch search(table);
    search.DrawValueOrders(rng, max);
    search.SetPlan(BuildPlan(ops));
    return search;
  }
  SubtractiveRng rng;
  DivisorTable table;
  StopFlag stop;
};

struct CheckCase {
  const char* behaviour;
  const char* ops;
  int max;
  NumberGrid in;
  bool accepted;
};

class CheckGridRows : public GridSearchTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckGridRows, AcceptOnlyGridsThatObeyTheRules) {
  const CheckCase& c = GetParam();
  GridSearch search = Prepared(Ops(c.ops), c.max);
  NumberGrid grid = c.in;
  EXPECT_EQ(search.CheckGrid(grid, stop), c.accepted) << GridText(c.in);
  if (c.accepted) {
    EXPECT_EQ(GridFault(grid, Ops(c.ops), c.max), "") << GridText(grid);
  }
}

constexpr NumberGrid kWorkedGrid = {792, 4, 198, 88, 86, 2, 9, 90, 99};

INSTANTIATE_TEST_SUITE_P(
    Table, CheckGridRows,
    ::testing::Values(
        CheckCase{"the worked grid", "÷-+÷+÷", 999, kWorkedGrid, true},
        CheckCase{"the cells a derived step computes need no value", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 2, 9, 0, 99},
                  true},
        CheckCase{"a difference of equal numbers would give a 0", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 88, 9, 0, 99},
                  false},
        CheckCase{"a sum above the maximum", "÷-+÷+÷", 999, {792, 950, 198, 88, 0, 2, 9, 0, 99}, false},
        CheckCase{"the last equation is checked", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 2, 8, 0, 99}, false},
        CheckCase{"all numbers below 100 with 999", "++++++", 999, {1, 2, 3, 4, 6, 10, 5, 8, 13}, false},
        CheckCase{"the same grid times ten", "++++++", 999, {10, 20, 30, 40, 60, 100, 50, 80, 130}, true},
        CheckCase{"all numbers below 1000 with 9999", "++++++", 9999, {10, 20, 30, 40, 60, 100, 50, 80, 130}, false},
        CheckCase{"the default cells as numbers", "xxxxxx", 999, {2, 3, 6, 4, 5, 20, 8, 15, 120}, true},
        CheckCase{"an inexact division", "xxxxxx", 999, {2, 3, 6, 4, 0, 20, 8, 16, 120}, false},
        CheckCase{"a factor 1 repeats the other factor", "xxxxxx", 999, {3, 1, 3, 50, 0, 0, 150, 4, 600}, false}));

TEST_F(GridSearchTest, FindsGridsThatObeyTheRules) {
  for (const char* text : {"xxxxxx", "++++++", "÷÷÷÷÷÷", "------", "xx+xx÷", "÷-+÷+÷", "+÷-+++", "-x++++"}) {
    const OpCodes ops = Ops(text);
    ASSERT_TRUE(IsAdmitted(ops)) << text;
    // With 999 the search is exhaustive: an admitted combination always
    // yields a grid.
    GridSearch search = Prepared(ops, 999);
    ASSERT_TRUE(search.SearchGrid(stop)) << text;
    EXPECT_EQ(GridFault(search.Grid(), ops, 999), "") << text << ": " << GridText(search.Grid());
  }
}

TEST_F(GridSearchTest, AStopNeverEndsInSuccess) {
  for (const char* text : {"++++++", "xxxxxx", "÷-+÷+÷"}) {
    int stopped = 0;
    for (long polls = 1; polls <= 60; ++polls) {
      GridSearch search = Prepared(Ops(text), 999);
      stop.Reset();
      stop.RequestAfterPolls(polls);
      const bool found = search.SearchGrid(stop);
      if (stop.IsSet()) {
        EXPECT_FALSE(found) << text << ", stop at poll " << polls;
        ++stopped;
      } else {
        EXPECT_TRUE(found) << text;
      }
    }
    EXPECT_GT(stopped, 0) << text;
  }
}

std::int64_t fakeNow = 0;
// Every reading finds the attempt's time already used up.
std::int64_t LateClock() { return fakeNow += GridSearch::kAttemptLimitMs + 1; }

TEST_F(GridSearchTest, OnlyMaximum9999HasATimeLimit) {
  GridSearch search999 = Prepared(Ops("++++++"), 999);
  search999.SetClock(LateClock);
  EXPECT_TRUE(search999.SearchGrid(stop));

  GridSearch search9999 = Prepared(Ops("++++++"), 9999);
  search9999.SetClock(LateClock);
  EXPECT_FALSE(search9999.SearchGrid(stop));
  EXPECT_FALSE(stop.IsSet());
}

}  // namespace
}  // namespace zifrel
