// The control rules, Clear and copy, on the window model.
#include <gtest/gtest.h>

#include <string>

#include "app/workbench.h"

namespace zifrel {
namespace {

const OpCodes kInadmissible = ParseOperators("+++xxx").value();  // rows + + +, columns × × ×

// The choices as a user makes them: the operators (in Risolvi, where they
// can be clicked), then the operator source, the maximum and the mode.
// "Fissate" before 9999 is the only way to reach r = 1 with x = 1, which
// 9999 at once turns back.
void Choose(Workbench& bench, int m, int x, int r, bool admitted) {
  WindowModel& w = bench.Model();
  const auto select = [&](RadioGroupControl& group, int index, void (Workbench::*click)()) {
    group.itemIndex = index;
    (bench.*click)();
  };
  select(w.Operaz, 1, &Workbench::OperazClick);
  w.CurrentOps = admitted ? kAllPlus : kInadmissible;
  bench.RefreshControls();
  select(w.Operaz, 0, &Workbench::OperazClick);
  select(w.RandOp, r, &Workbench::RandOpClick);
  select(w.MaxN, x, &Workbench::MaxNClick);
  select(w.Operaz, m, &Workbench::OperazClick);
}

TEST(ControlRules, FollowTheSelections) {
  struct Row {
    const char* behaviour;
    int m, x, r;
    bool admitted, opsEnabled, selectorsShown, randOpEnabled;
    int randOpAfter;
    bool warning;  // NoPoss shown and Vai disabled
  };
  for (const Row& row : {
           Row{"Genera, random ops", 0, 0, 0, true, false, true, true, 0, false},
           Row{"Genera, random ops ignore bad buttons", 0, 0, 0, false, false, true, true, 0, false},
           Row{"Genera, fixed ops", 0, 0, 1, true, true, true, true, 1, false},
           Row{"Genera, fixed bad ops", 0, 0, 1, false, true, true, true, 1, true},
           Row{"Genera, 9999", 0, 1, 0, false, false, true, false, 0, false},
           Row{"Genera, 9999 forces random ops", 0, 1, 1, false, false, true, false, 0, false},
           Row{"Risolvi", 1, 0, 0, true, true, false, true, 0, false},
           Row{"Risolvi, bad ops", 1, 0, 0, false, true, false, true, 0, true},
           Row{"Risolvi, bad ops, fixed", 1, 0, 1, false, true, false, true, 1, true},
           Row{"Risolvi, 9999", 1, 1, 1, true, true, false, false, 0, false},
           Row{"Risolvi, 9999, bad ops", 1, 1, 0, false, true, false, false, 0, true},
           Row{"Libero, fixed bad ops", 2, 0, 1, false, true, false, true, 1, false},
           Row{"Libero, random ops", 2, 0, 0, true, false, false, true, 0, false},
           Row{"Libero, 9999", 2, 1, 1, false, false, false, false, 0, false},
       }) {
    SCOPED_TRACE(row.behaviour);
    Workbench bench;
    const WindowModel& w = bench.Model();
    Choose(bench, row.m, row.x, row.r, row.admitted);
    for (const ButtonControl& button : w.Bo) EXPECT_EQ(button.enabled, row.opsEnabled);
    // Captions show the operators whenever the buttons were last enabled.
    EXPECT_EQ(w.Bo[3].caption, row.admitted ? "+" : "\u00D7");
    EXPECT_EQ(w.MaxN.visible, row.selectorsShown);
    EXPECT_EQ(w.RandOp.visible, row.selectorsShown);
    EXPECT_EQ(w.RandOp.enabled, row.randOpEnabled);
    EXPECT_EQ(w.RandOp.itemIndex, row.randOpAfter);
    EXPECT_EQ(w.NoPoss.visible, row.warning);
    EXPECT_EQ(w.Button1.enabled, !row.warning);
    const bool libero = row.m == 2;
    EXPECT_EQ(w.Libe.visible, libero);
    EXPECT_EQ(w.Label7.visible, libero);
    EXPECT_EQ(w.SolLab.visible, libero);
    EXPECT_EQ(w.Copia.visible, !libero);
  }
}

TEST(ControlRules, OperatorsCycleAndAnAdmittedOneLiftsTheWarning) {
  Workbench bench;
  Choose(bench, 1, 0, 0, false);
  ASSERT_TRUE(bench.Model().NoPoss.visible);
  std::string seen;
  for (int n = 0; n < 4; ++n) {
    bench.Bo1Click();
    seen += bench.Model().Bo[0].caption;
    if (n == 0) {
      EXPECT_FALSE(bench.Model().NoPoss.visible) << "÷ + + × × × is admitted";
    }
  }
  EXPECT_EQ(seen, "\u00F7-\u00D7+");
}

// The copy follows CurrentOps, also where a disabled button's caption lags.
TEST(CopyAndClear, CopyLaysTheSchemaOutAndClearEmptiesTheWindow) {
  struct Row {
    std::array<const char*, kCellCount> cells;
    const char* ops;
    const char* text;
  };
  for (const Row& row : {
           Row{{"AB", "C", "DE", "F", "GH", "IJ", "A", "BC", "DEF"},
               "+x+x+-",
               "  AB +    C =   DE\n   \u00D7      +      -\n   F \u00D7   GH =   IJ\n   =      =      =\n"
               "   A +   BC =  DEF\n"},
           Row{{"", "", "", "", "", "", "", "", ""},
               "++++++",
               "     +      =     \n   +      +      +\n     +      =     \n   =      =      =\n     +      =     \n"},
           Row{{"ABCD", "E", "FGHI", "J", "K", "L", "M", "N", "OPQR"},
               "÷-x+÷-",
               "ABCD \u00F7    E = FGHI\n   +      \u00F7      -\n   J -    K =    L\n   =      =      =\n"
               "   M \u00D7    N = OPQR\n"},
       }) {
    Workbench bench;
    WindowModel& w = bench.Model();
    for (int k = 0; k < kCellCount; ++k) w.Ed[k].SetText(row.cells[k]);
    w.CurrentOps = ParseOperators(row.ops).value();
    EXPECT_EQ(bench.CopyText(), row.text);
  }

  Workbench bench;
  WindowModel& w = bench.Model();
  Choose(bench, 1, 0, 0, false);
  for (EditControl& cell : w.Ed) cell.SetText("A");
  w.Libe.AddLine("A+B=C");
  bench.HButtClick();
  for (int mode : {2, 0}) {  // Libero, then Genera: the operator buttons stay disabled
    w.Operaz.itemIndex = mode;
    bench.OperazClick();
    bench.CancClick();
  }
  for (const EditControl& cell : w.Ed) EXPECT_EQ(cell.Text(), "");
  EXPECT_EQ(w.TheM.Count(), 0);
  EXPECT_EQ(w.Libe.Count(), 0);
  EXPECT_EQ(w.CurrentOps, kAllPlus);
  EXPECT_EQ(w.Bo[3].caption, "\u00D7");  // disabled in Genera: the caption lags
  EXPECT_EQ(bench.CopyText().substr(19, 19), "   +      +      +\n");
  w.Operaz.itemIndex = 1;
  bench.OperazClick();
  EXPECT_EQ(w.Bo[3].caption, "+");  // clickable again: the caption catches up
}

}  // namespace
}  // namespace zifrel
