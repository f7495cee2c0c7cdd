#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/workbench.h"
#include "generate/generator.h"
#include "schema/schema_lines.h"
#include "tests/support/pump.h"

namespace zifrel {
namespace {

using testing::PumpUntilIdle;
using Lines = std::vector<std::string>;

// What the window shows of a Schema: the cells and CurrentOps as the five
// lines print them, then the operator buttons' captions.
Lines Shown(const WindowModel& w) {
  CellStrings cells;
  for (int k = 0; k < kCellCount; ++k) cells[k] = w.Ed[k].Text();
  std::string captions;
  for (const ButtonControl& button : w.Bo) captions += button.caption;
  Lines shown;
  for (const std::string& line : SchemaLines(cells, w.CurrentOps, " ")) shown.push_back(line);
  shown.push_back(captions);
  return shown;
}

// Two jobs with random operators, then one with "Fissate". A seed gives the
// window's jobs the Schemas a generator started from it gives, as the
// command line's does.
TEST(GeneraJob, WritesCellsOperatorsCaptionsAndLines) {
  GeneratorState state;
  StartRandomSource(state, 7);
  SchemaGenerator generator(state);
  StopFlag stop;
  Lines fromGenerator;
  for (int job = 0; job < 2; ++job) {
    const GeneratedSchema schema = generator.GenerateSchema(999, std::nullopt, stop).value();
    CellStrings cells;
    for (int k = 0; k < kCellCount; ++k) cells[k] = schema.cells[k];
    for (const std::string& line : SchemaLines(cells, schema.ops, " ")) fromGenerator.push_back(line);
  }

  Workbench bench({}, 7);
  WindowModel& w = bench.Model();
  const OpCodes fixed = ParseOperators("÷-+÷+÷").value();
  for (int job = 0; job < 3; ++job) {
    if (job == 2) {
      w.RandOp.itemIndex = 1;
      w.CurrentOps = fixed;
      bench.RandOpClick();
    }
    bench.Button1Click();
    ASSERT_TRUE(PumpUntilIdle(bench));
    Lines expected =
        job < 2 ? Lines(fromGenerator.begin() + 5 * job, fromGenerator.begin() + 5 * job + 5) : w.TheM.Lines();
    EXPECT_EQ(w.TheM.Lines(), expected) << "job " << job + 1;
    expected.emplace_back();
    for (OpCode op : w.CurrentOps) expected.back() += OperatorGlyph(op);
    EXPECT_EQ(Shown(w), expected) << "job " << job + 1;
    // "A caso" keeps the buttons disabled; "Fissate" with 999 enables them.
    EXPECT_EQ(w.Bo[0].enabled, job == 2);
  }
  EXPECT_EQ(w.CurrentOps, fixed);  // as the user set them
}

// Stop pressed before the job has searched at all (polls 0), or a stop seen
// at its n-th step: the window keeps the cells, operators and lagging
// captions a user left, and the output area, cleared when the job began,
// stays empty.
TEST(GeneraJob, AStopAtAnyStepLeavesTheWindowAsItWas) {
  for (long polls : {0, 1, 2, 3, 5, 8, 13, 21, 34, 55}) {
    Workbench bench({}, 1);
    WindowModel& w = bench.Model();
    const char* cells[kCellCount] = {"AB", "C", "DE", "F", "GH", "IJ", "A", "BC", "DEF"};
    for (int k = 0; k < kCellCount; ++k) w.Ed[k].SetText(cells[k]);
    w.CurrentOps = ParseOperators("x+x+x+").value();
    w.TheM.AddLine("risultato di prima");
    const Lines before = Shown(w);
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
    EXPECT_EQ(Shown(w), before) << "stop at poll " << polls;
    EXPECT_EQ(w.TheM.Count(), 0) << "stop at poll " << polls;
    EXPECT_EQ(w.Button1.caption, "Vai");
  }
}

}  // namespace
}  // namespace zifrel
