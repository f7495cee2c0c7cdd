#include <gtest/gtest.h>

#include <string>

#include "app/workbench.h"

namespace zifrel {
namespace {

const OpCodes kRowsPlusColumnsTimes = {kPlus, kPlus, kPlus, kMultiply, kMultiply, kMultiply};

struct RuleRow {
  int m, x, r;
  bool admitted;
  // What RefreshControls leaves:
  bool opsEnabled, selectorsShown, randOpEnabled;
  int randOpAfter;
  bool warningShown;  // NoPoss shown and Button1 disabled
};

void PrintTo(const RuleRow& row, std::ostream* os) {
  *os << "m " << row.m << " x " << row.x << " r " << row.r << (row.admitted ? " admitted" : " not admitted");
}

class ControlRules : public ::testing::TestWithParam<RuleRow> {};

TEST_P(ControlRules, DeriveTheStatesFromTheSelections) {
  const RuleRow& row = GetParam();
  Workbench bench;
  WindowModel& w = bench.Model();
  w.CurrentOps = row.admitted ? kAllPlus : kRowsPlusColumnsTimes;
  w.Operaz.itemIndex = row.m;
  w.MaxN.itemIndex = row.x;
  w.RandOp.itemIndex = row.r;
  bench.RefreshControls();

  for (const ButtonControl& button : w.Bo) EXPECT_EQ(button.enabled, row.opsEnabled);
  EXPECT_EQ(w.MaxN.visible, row.selectorsShown);
  EXPECT_EQ(w.RandOp.visible, row.selectorsShown);
  EXPECT_EQ(w.RandOp.enabled, row.randOpEnabled);
  EXPECT_EQ(w.RandOp.itemIndex, row.randOpAfter);
  EXPECT_EQ(w.NoPoss.visible, row.warningShown);
  EXPECT_EQ(w.Button1.enabled, !row.warningShown);
  const bool libero = row.m == 2;
  EXPECT_EQ(w.Libe.visible, libero);
  EXPECT_EQ(w.Label7.visible, libero);
  EXPECT_EQ(w.SolLab.visible, libero);
  EXPECT_EQ(w.Copia.visible, !libero);

  // Running the rules on their own results changes nothing.
  const int randOp = w.RandOp.itemIndex;
  bench.RefreshControls();
  EXPECT_EQ(w.RandOp.itemIndex, randOp);
  EXPECT_EQ(w.NoPoss.visible, row.warningShown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ControlRules,
    ::testing::Values(
        //     m  x  r  admitted   ops    shown  randOp idx warning
        RuleRow{0, 0, 0, true, false, true, true, 0, false},
        RuleRow{0, 0, 0, false, false, true, true, 0, false},  // random operators: no warning
        RuleRow{0, 0, 1, true, true, true, true, 1, false},
        RuleRow{0, 0, 1, false, true, true, true, 1, true},
        RuleRow{0, 1, 0, true, false, true, false, 0, false},
        RuleRow{0, 1, 1, false, false, true, false, 0, false},  // 9999 forces "A caso"
        RuleRow{1, 0, 0, true, true, false, true, 0, false},
        RuleRow{1, 0, 0, false, true, false, true, 0, true},
        RuleRow{1, 0, 1, false, true, false, true, 1, true},
        RuleRow{1, 1, 1, true, true, false, false, 0, false},
        RuleRow{1, 1, 0, false, true, false, false, 0, true},
        RuleRow{2, 0, 1, false, true, false, true, 1, false},  // Libero uses no operators
        RuleRow{2, 0, 0, true, false, false, true, 0, false},
        RuleRow{2, 1, 1, false, false, false, false, 0, false}));

TEST(OperatorButtons, CycleThroughPlusDivideMinusTimes) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.Operaz.itemIndex = 1;
  bench.OperazClick();
  const char* captions[] = {"\u00F7", "-", "\u00D7", "+"};
  for (const char* caption : captions) {
    bench.Bo4Click();
    EXPECT_EQ(w.Bo[3].caption, caption);
  }
  EXPECT_EQ(w.CurrentOps, kAllPlus);  // four clicks bring it back
}

TEST(OperatorButtons, AnAdmittedChoiceLiftsTheWarning) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.Operaz.itemIndex = 1;
  bench.OperazClick();
  for (int click = 0; click < 3; ++click) {  // + to × in three clicks
    bench.Bo4Click();
    bench.Bo5Click();
    bench.Bo6Click();
  }
  EXPECT_EQ(w.CurrentOps, kRowsPlusColumnsTimes);
  EXPECT_TRUE(w.NoPoss.visible);
  EXPECT_FALSE(w.Button1.enabled);
  bench.Bo1Click();  // × + + over × × × is admitted
  EXPECT_FALSE(w.NoPoss.visible);
  EXPECT_TRUE(w.Button1.enabled);
}

TEST(Selectors, MaximumNineThousandForcesRandomOperators) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.RandOp.itemIndex = 1;
  bench.RandOpClick();
  EXPECT_TRUE(w.Bo[0].enabled);
  w.MaxN.itemIndex = 1;
  bench.MaxNClick();
  EXPECT_FALSE(w.Bo[0].enabled);
  EXPECT_FALSE(w.RandOp.enabled);
  EXPECT_EQ(w.RandOp.itemIndex, 0);
  w.MaxN.itemIndex = 0;
  bench.MaxNClick();
  EXPECT_TRUE(w.RandOp.enabled);
  EXPECT_EQ(w.RandOp.itemIndex, 0);
}

TEST(StartUp, GeneraWithRandomOperatorsAndEverythingEmpty) {
  Workbench bench;
  const WindowModel& w = bench.Model();
  EXPECT_EQ(w.Operaz.itemIndex, 0);
  EXPECT_EQ(w.MaxN.itemIndex, 0);
  EXPECT_EQ(w.RandOp.itemIndex, 0);
  for (const ButtonControl& button : w.Bo) {
    EXPECT_EQ(button.caption, "+");
    EXPECT_FALSE(button.enabled);
  }
  EXPECT_EQ(w.CurrentOps, kAllPlus);
  EXPECT_EQ(w.Button1.caption, "Vai");
  EXPECT_TRUE(w.Button1.enabled);
  EXPECT_FALSE(w.NoPoss.visible);
  EXPECT_FALSE(w.Libe.visible);
  EXPECT_FALSE(w.SolLab.visible);
  EXPECT_EQ(w.SolLab.caption, "0");
  EXPECT_TRUE(w.Giro.visible);
  EXPECT_EQ(w.Giro.caption, "+");
  EXPECT_EQ(w.TheM.Count(), 0);
}

TEST(Clear, EmptiesCellsAndAreasAndResetsOperatorsInEveryMode) {
  for (int mode = 0; mode < 3; ++mode) {
    Workbench bench;
    WindowModel& w = bench.Model();
    w.Operaz.itemIndex = 1;
    bench.OperazClick();
    bench.Bo2Click();
    for (EditControl& cell : w.Ed) cell.SetText("AB");
    w.TheM.AddLine("risultato");
    w.Libe.AddLine("A+B=C");
    w.Operaz.itemIndex = mode;
    bench.OperazClick();
    bench.CancClick();
    for (const EditControl& cell : w.Ed) EXPECT_EQ(cell.Text(), "");
    EXPECT_EQ(w.TheM.Count(), 0);
    EXPECT_EQ(w.Libe.Count(), 0);
    EXPECT_EQ(w.CurrentOps, kAllPlus) << "mode " << mode;
    // A disabled button keeps showing what it showed; the model knows better.
    EXPECT_EQ(w.Bo[1].caption, mode == 1 ? "+" : "\u00F7") << "mode " << mode;
  }
}

TEST(Cells, HoldFourCharactersAtMost) {
  EditControl cell;
  cell.SetText("ABCDE");
  EXPECT_EQ(cell.Text(), "ABCD");
  cell.SetText("αβγδε");
  EXPECT_EQ(cell.Text(), "αβγδ");
}

TEST(Copy, LaysTheSchemaOutAsTheGridWithCurrentOperators) {
  Workbench bench;
  WindowModel& w = bench.Model();
  const char* cells[] = {"AB", "C", "DE", "F", "GH", "IJ", "A", "BC", "DEF"};
  for (int k = 0; k < 9; ++k) w.Ed[k].SetText(cells[k]);
  w.CurrentOps = {kPlus, kMultiply, kPlus, kMultiply, kPlus, kMinus};
  std::string copied;
  bench.SetClipboardWriter([&](const std::string& text) { copied = text; });
  bench.CopiaClick();
  EXPECT_EQ(copied,
            "  AB +    C =   DE\n"
            "   \u00D7      +      -\n"
            "   F \u00D7   GH =   IJ\n"
            "   =      =      =\n"
            "   A +   BC =  DEF\n");
}

TEST(Copy, AnEmptySchemaGivesFiveLinesOfEighteen) {
  Workbench bench;
  EXPECT_EQ(bench.CopyText(),
            "     +      =     \n"
            "   +      +      +\n"
            "     +      =     \n"
            "   =      =      =\n"
            "     +      =     \n");
}

TEST(Help, TwiceLeavesOneHelpTextInPlaceOfTheResults) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.TheM.AddLine("Una sola soluzione:");
  bench.HButtClick();
  bench.HButtClick();
  ASSERT_EQ(w.TheM.Count(), 34);
  EXPECT_EQ(w.TheM.Line(0), "");
  EXPECT_EQ(w.TheM.Line(2), std::string(25, '-'));
  EXPECT_EQ(w.TheM.Line(5), "Se il massimo e' 999, e' ");
  EXPECT_EQ(w.TheM.Line(21), "Il tasto `copy' copia nella ");
  EXPECT_EQ(w.TheM.Line(29), "gatto+gatto=cane+cane+cane");
  EXPECT_EQ(w.TheM.Line(33), std::string(25, '-'));
}

}  // namespace
}  // namespace zifrel
