#include "generate/grid_search.h"

#include <gtest/gtest.h>

#include <string>

#include "schema/op_combo_table.h"
#include "tests/support/schema_checks.h"

namespace zifrel {
namespace {

using testing::GridFault;

OpCodes Ops(const char* text) { return ParseOperators(text).value(); }

// A plan in cells 1-based, each step as its kind and equation, x for a
// product: "seed 1+2=3 | 3: 1+4=7 | ...".
std::string PlanText(const GenPlan& plan) {
  const auto equation = [](int form, int first, int second, int result) {
    return std::to_string(first + 1) + (form ? '+' : 'x') + std::to_string(second + 1) + '=' +
           std::to_string(result + 1);
  };
  const SchemaEquation& s = plan.seed;
  std::string text = "seed " + equation(static_cast<int>(s.form), s.first, s.second, s.result);
  const auto add = [&](const auto& step) {
    const int kind = static_cast<int>(step.kind);
    text += " | " + std::to_string(kind) + ": " + equation(kind & 1, step.first, step.second, step.result);
  };
  for (const auto& step : plan.free) add(step);
  for (const auto& step : plan.derived) add(step);
  return text;
}

TEST(BuildPlan, WorkedPlans) {
  struct Row {
    const char* behaviour;
    const char* ops;
    const char* plan;
  };
  for (const Row& row : {Row{"free steps from known firsts, two differences, one check", "++++++",
                             "seed 1+2=3 | 3: 1+4=7 | 3: 7+8=9 | 9: 2+5=8 | 9: 3+6=9 | 1: 4+5=6"},
                         Row{"all minus: sums with first and result exchanged", "------",
                             "seed 3+2=1 | 9: 7+4=1 | 9: 9+8=7 | 9: 8+5=2 | 9: 9+6=3 | 1: 6+5=4"},
                         Row{"products move to the front, the sums out of order", "+++xxx",
                             "seed 1x4=7 | 3: 1+2=3 | 2: 3x6=9 | 9: 4+5=6 | 9: 7+8=9 | 0: 2x5=8"},
                         Row{"a seed in the middle row gives free steps with a known second", "+x++++",
                             "seed 4x5=6 | 5: 1+4=7 | 3: 7+8=9 | 5: 2+5=8 | 5: 3+6=9 | 1: 1+2=3"},
                         Row{"the worked grid's operators", "÷-+÷+÷",
                             "seed 3x2=1 | 8: 7x4=1 | 8: 9x6=3 | 9: 6+5=4 | 17: 2+5=8 | 1: 7+8=9"}}) {
    EXPECT_EQ(PlanText(BuildPlan(Ops(row.ops))), row.plan) << row.behaviour;
  }
}

// What the search relies on, for every one of the 4096 combinations: the steps
// cover the six equations once each; a free step meets one known cell, the
// one its kind names; a derived step computes the one cell still unknown, the
// one its kind names, except one that only checks.
TEST(BuildPlan, EveryCombinationHasTwoFreeStepsAndThreeDerivedOneACheck) {
  for (int code = 0; code < 4096; ++code) {
    const OpCodes ops = OpCodesOfCode(code);
    const GenPlan plan = BuildPlan(ops);
    std::array<bool, kCellCount> known{};
    std::array<int, kOperatorCount> uses{};
    // Marks the equation's cells known; returns which were known before, as
    // the kinds name them: 2, 4, 8 for first, second, result.
    const auto cover = [&](int form, int first, int second, int result) {
      for (int e = 0; e < kOperatorCount; ++e) {
        const SchemaEquation n = NormaliseEquation(e, ops[e]);
        uses[e] += static_cast<int>(n.form) == form && n.first == first && n.second == second && n.result == result;
      }
      const int before = 2 * known[first] + 4 * known[second] + 8 * known[result];
      known[first] = known[second] = known[result] = true;
      return before;
    };
    ASSERT_EQ(cover(static_cast<int>(plan.seed.form), plan.seed.first, plan.seed.second, plan.seed.result), 0) << code;
    for (const auto& f : plan.free) {
      const int kind = static_cast<int>(f.kind);
      ASSERT_EQ(cover(kind & 1, f.first, f.second, f.result), kind & ~1) << "code " << code;
    }
    int checks = 0;
    for (const auto& d : plan.derived) {
      const int kind = static_cast<int>(d.kind);
      // A derived kind names the unknown cell with 4, 8, 16: the known cells are the other two.
      const int unknown = (kind & ~1) / 2;
      ASSERT_EQ(cover(kind & 1, d.first, d.second, d.result), 14 - unknown) << "code " << code;
      checks += unknown == 0;
    }
    EXPECT_EQ(checks, 1) << "code " << code;
    EXPECT_EQ(uses, (std::array<int, kOperatorCount>{1, 1, 1, 1, 1, 1})) << "code " << code;
  }
}

class GridSearchTest : public ::testing::Test {
 protected:
  GridSearch Prepared(const char* ops, int max) {
    GridSearch search(state.divisorTable);
    search.DrawValueOrders(state.random, max);
    search.SetPlan(BuildPlan(Ops(ops)));
    return search;
  }
  GeneratorState state = testing::Started(1);
  StopFlag stop;
};

// Grids given in full except the cells the derived steps compute (0 here).
TEST_F(GridSearchTest, CheckGridAcceptsOnlyGridsThatObeyTheRules) {
  struct Row {
    const char* behaviour;
    const char* ops;
    int max;
    NumberGrid grid;
    bool accepted;
  };
  for (Row row :
       {Row{"the worked grid", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 2, 9, 0, 99}, true},
        Row{"a difference of equal numbers is 0", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 88, 9, 0, 99}, false},
        Row{"a sum above the maximum", "÷-+÷+÷", 999, {792, 950, 198, 88, 0, 2, 9, 0, 99}, false},
        Row{"the last equation is checked", "÷-+÷+÷", 999, {792, 4, 198, 88, 0, 2, 8, 0, 99}, false},
        Row{"all numbers below 100 with 999", "++++++", 999, {10, 21, 31, 30, 0, 0, 40, 59, 99}, false},
        Row{"one number above 99 with 999", "++++++", 999, {10, 21, 31, 30, 0, 0, 40, 60, 100}, true},
        Row{"all numbers below 1000 with 9999", "++++++", 9999, {100, 210, 310, 300, 0, 0, 400, 590, 990}, false},
        Row{"one number above 999 with 9999", "++++++", 9999, {100, 210, 310, 300, 0, 0, 400, 600, 1000}, true},
        Row{"products", "xxxxxx", 999, {2, 3, 6, 4, 5, 20, 8, 15, 120}, true},
        Row{"an inexact division", "xxxxxx", 999, {2, 3, 6, 4, 0, 20, 8, 16, 120}, false},
        Row{"a factor 1 repeats the other factor", "xxxxxx", 999, {3, 1, 3, 50, 0, 0, 150, 4, 600}, false}}) {
    EXPECT_EQ(Prepared(row.ops, row.max).CheckGrid(row.grid, stop), row.accepted) << row.behaviour;
    if (row.accepted) {
      EXPECT_EQ(GridFault(row.grid, Ops(row.ops), row.max), "") << row.behaviour;
    }
  }
}

// With 999 the search is exhaustive, so an admitted combination always yields
// a grid, unless a stop comes first: then it never ends in success.
TEST_F(GridSearchTest, FindsAGridUnlessStopped) {
  for (const char* ops : {"xxxxxx", "++++++", "÷÷÷÷÷÷", "------", "xx+xx÷", "÷-+÷+÷", "+÷-+++", "-x++++"}) {
    int stopped = 0;
    for (long polls = 0; polls <= 40; ++polls) {
      GridSearch search = Prepared(ops, 999);
      stop.Reset();
      stop.RequestAfterPolls(polls);  // 0: no stop
      const bool found = search.SearchGrid(stop) == SearchEnd::kFound;
      const std::string context = std::string(ops) + ", stop at poll " + std::to_string(polls);
      stopped += stop.IsSet();
      EXPECT_EQ(found, !stop.IsSet()) << context;
      if (found) {
        EXPECT_EQ(GridFault(search.Grid(), Ops(ops), 999), "") << context;
      }
    }
    EXPECT_GT(stopped, 0) << ops;
  }
}

TEST_F(GridSearchTest, OnlyMaximum9999HasABudgetOfWork) {
  for (int max : {999, 9999}) {
    GridSearch search = Prepared("++++++", max);
    search.SetAttemptWork(0);  // used up at the first step
    EXPECT_EQ(search.SearchGrid(stop), max == 999 ? SearchEnd::kFound : SearchEnd::kNone) << max;
  }
  EXPECT_FALSE(stop.IsSet());
}

}  // namespace
}  // namespace zifrel
