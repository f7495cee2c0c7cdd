#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/workbench.h"
#include "cli/command.h"
#include "schema/op_combo_table.h"
#include "schema/schema_lines.h"
#include "tests/support/pump.h"

namespace zifrel {
namespace {

using testing::PumpUntilIdle;
using Lines = std::vector<std::string>;

// What the window shows of a Schema: cells, operators, button captions.
struct Shown {
  std::array<std::string, kCellCount> cells;
  OpCodes ops;
  std::array<std::string, kOperatorCount> captions;
  bool operator==(const Shown&) const = default;
};

Shown WhatIsShown(const WindowModel& w) {
  Shown shown{{}, w.CurrentOps, {}};
  for (int k = 0; k < kCellCount; ++k) shown.cells[k] = w.Ed[k].Text();
  for (int i = 0; i < kOperatorCount; ++i) shown.captions[i] = w.Bo[i].caption;
  return shown;
}

Lines SchemaOf(const WindowModel& w) {
  CellStrings cells;
  for (int k = 0; k < kCellCount; ++k) cells[k] = w.Ed[k].Text();
  const auto lines = SchemaLines(cells, w.CurrentOps, " ");
  return {lines.begin(), lines.end()};
}

Lines CliLines(std::vector<std::string_view> args) {
  std::istringstream in;
  std::ostringstream out, err;
  StopFlag stop;
  cli::Io io{in, out, err, stop};
  EXPECT_EQ(cli::RunCli(args, io), cli::kExitSearched) << err.str();
  Lines lines;
  std::istringstream text(out.str());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

TEST(GeneraJob, PublishesTheSchemaInCellsButtonsOperatorsAndOutput) {
  Workbench bench({}, 7);
  WindowModel& w = bench.Model();
  const Lines fromCli = CliLines({"genera", "--seed", "7", "--count", "2"});
  ASSERT_EQ(fromCli.size(), 11u);

  for (int job = 0; job < 2; ++job) {
    bench.Button1Click();
    ASSERT_TRUE(PumpUntilIdle(bench));
    // The output area shows the cells and operators as they now are.
    EXPECT_EQ(w.TheM.Lines(), SchemaOf(w)) << "job " << job + 1;
    for (int i = 0; i < kOperatorCount; ++i) EXPECT_EQ(w.Bo[i].caption, OperatorGlyph(w.CurrentOps[i]));
    EXPECT_TRUE(IsAdmitted(w.CurrentOps));
    EXPECT_FALSE(w.Bo[0].enabled);  // "A caso": the buttons stay disabled
    // A seed gives the window's jobs and the command line the same Schemas.
    EXPECT_EQ(w.TheM.Lines(), Lines(fromCli.begin() + 6 * job, fromCli.begin() + 6 * job + 5));
  }

  // The published Schema, solved in the window as a user would, has exactly
  // one solution.
  w.Operaz.itemIndex = 1;
  bench.OperazClick();
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
  ASSERT_EQ(w.TheM.Count(), 7);
  EXPECT_EQ(w.TheM.Line(0), "Una sola soluzione:");
}

TEST(GeneraJob, FixedOperatorsStayAsTheUserSetThem) {
  Workbench bench({}, 11);
  WindowModel& w = bench.Model();
  w.RandOp.itemIndex = 1;  // "Fissate"
  w.CurrentOps = *ParseOperators("÷-+÷+÷");
  bench.RandOpClick();
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
  EXPECT_EQ(w.CurrentOps, *ParseOperators("÷-+÷+÷"));
  EXPECT_EQ(w.TheM.Lines(), SchemaOf(w));
  EXPECT_TRUE(w.Bo[0].enabled);  // "Fissate" with 999: the rules enable them again
  EXPECT_EQ(w.Bo[0].caption, "\u00F7");
}

// The window as a user left it before pressing Vai: typed cells, operators
// whose captions lag behind (the buttons are disabled), a result.
void Prepare(Workbench& bench) {
  WindowModel& w = bench.Model();
  const char* cells[kCellCount] = {"AB", "C", "DE", "F", "GH", "IJ", "A", "BC", "DEF"};
  for (int k = 0; k < kCellCount; ++k) w.Ed[k].SetText(cells[k]);
  w.CurrentOps = *ParseOperators("x+x+x+");
  w.TheM.AddLine("risultato di prima");
}

// Stop pressed before the job has searched at all (polls 0), or a stop seen
// at its n-th step: the window keeps what it held and the output area, cleared
// when the job began, stays empty.
TEST(GeneraJob, AStopAtAnyStepLeavesTheWindowAsItWas) {
  for (long polls : {0, 1, 2, 3, 5, 8, 13, 21, 34, 55}) {
    Workbench bench({}, 3);
    WindowModel& w = bench.Model();
    Prepare(bench);
    const Shown before = WhatIsShown(w);
    bench.Button1Click();
    // The job cannot get past its first hand-over, which only this thread
    // carries out, so it has not polled yet.
    if (polls == 0) {
      bench.Button1Click();  // Stop
    } else {
      bench.SharedState().StopRequested.RequestAfterPolls(polls);
    }
    ASSERT_TRUE(PumpUntilIdle(bench));
    ASSERT_TRUE(bench.SharedState().StopRequested.IsSet()) << "the job ended before poll " << polls;
    EXPECT_EQ(WhatIsShown(w), before) << "stop at poll " << polls;
    EXPECT_EQ(w.TheM.Count(), 0) << "stop at poll " << polls;
    EXPECT_EQ(w.Button1.caption, "Vai");
  }
}

}  // namespace
}  // namespace zifrel
