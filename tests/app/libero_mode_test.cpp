#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/workbench.h"

namespace zifrel {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// The test thread plays the window thread: it carries out the job's
// hand-overs, and ticks the timer after each batch.
template <class Condition>
bool PumpAndTickUntil(Workbench& bench, Condition done, std::chrono::seconds limit = 30s) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    bench.Hand().WaitAndRunPending(2ms);
    bench.Timer1Timer();
  }
  return true;
}

void StartLibero(Workbench& bench, const Lines& formulas) {
  bench.Model().Operaz.itemIndex = 2;
  bench.OperazClick();
  bench.Model().Libe.ReplaceFromUser(formulas);
  bench.Button1Click();
}

TEST(LiberoMode, SolvesTheFormulaAreaAndShowsTheFinalCount) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.TheM.AddLine("vecchio risultato");
  StartLibero(bench, {"", "a + b = c", "x"});
  ASSERT_TRUE(PumpAndTickUntil(bench, [&] { return !bench.Running(); }));
  EXPECT_EQ(w.Libe.Lines(), Lines{"a + b = c"});  // the short lines are gone
  ASSERT_EQ(w.TheM.Count(), 24);
  EXPECT_EQ(w.TheM.Line(0), " ABC");
  EXPECT_EQ(w.TheM.Line(23), "32 soluzioni");
  EXPECT_EQ(w.SolLab.caption, "32");
}

TEST(LiberoMode, TheCountGrowsLiveInTheWindowUntilStop) {
  Workbench bench;
  WindowModel& w = bench.Model();
  // Every one of the 3,628,800 assignments is a solution, and a product is
  // evaluated in full for each: a search that runs long enough to watch.
  StartLibero(bench, {"A*B*C*D*E*F*G*H*I*J+A>=0"});
  int seenWhileRunning = 0;
  ASSERT_TRUE(PumpAndTickUntil(bench, [&] {
    if (bench.Running() && !w.SolLab.caption.empty()) seenWhileRunning = std::stoi(w.SolLab.caption);
    return seenWhileRunning > 20 || !bench.Running();
  }));
  ASSERT_TRUE(bench.Running()) << "the search ended before a tick showed it";
  EXPECT_LT(seenWhileRunning, 3628800);

  bench.Button1Click();  // Stop
  ASSERT_TRUE(PumpAndTickUntil(bench, [&] { return !bench.Running(); }));
  const std::int32_t final = bench.SharedState().LiberoSolutionCount.load();
  EXPECT_GE(final, seenWhileRunning);
  EXPECT_EQ(w.SolLab.caption, std::to_string(final));
  EXPECT_EQ(w.TheM.Line(w.TheM.Count() - 2), std::to_string(final) + " soluzioni");
  EXPECT_EQ(w.TheM.Line(w.TheM.Count() - 1), "(Ricerca interrotta)");
}

TEST(LiberoMode, ARefusedJobLeavesTheFormulaAreaAndTheLastCount) {
  Workbench bench;
  WindowModel& w = bench.Model();
  StartLibero(bench, {"A+B=C"});
  ASSERT_TRUE(PumpAndTickUntil(bench, [&] { return !bench.Running(); }));
  const Lines tooLong = {"A+B=C", "A=" + std::string(199, '1')};
  StartLibero(bench, tooLong);
  ASSERT_TRUE(PumpAndTickUntil(bench, [&] { return !bench.Running(); }));
  EXPECT_EQ(w.TheM.Lines(), Lines{"Max 200 caratteri per formula"});
  EXPECT_EQ(w.Libe.Lines(), tooLong);
  EXPECT_EQ(w.SolLab.caption, "32");
}

}  // namespace
}  // namespace zifrel
