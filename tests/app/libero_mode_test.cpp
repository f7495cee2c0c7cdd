#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/workbench.h"
#include "tests/support/pump.h"
#include "tests/support/reference_libero.h"

namespace zifrel {
namespace {

using Lines = std::vector<std::string>;

void StartLibero(Workbench& bench, const Lines& formulas) {
  bench.Model().Operaz.itemIndex = 2;
  bench.OperazClick();
  bench.Model().Libe.ReplaceFromUser(formulas);
  bench.Button1Click();
}

TEST(LiberoMode, ShowsTheFinalCountAndKeepsItWhenAJobIsRefused) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.TheM.AddLine("vecchio risultato");
  StartLibero(bench, {"", "a + b = c", "x"});
  ASSERT_TRUE(testing::PumpUntilIdle(bench));
  EXPECT_EQ(w.Libe.Lines(), Lines{"a + b = c"});  // the short lines are gone
  EXPECT_EQ(w.TheM.Lines(), testing::ReferenceLines(testing::ReferenceSolve({"A+B=C"})));
  EXPECT_EQ(w.SolLab.caption, "32");

  const Lines tooLong = {"A+B=C", "A=" + std::string(199, '1')};
  StartLibero(bench, tooLong);
  ASSERT_TRUE(testing::PumpUntilIdle(bench));
  EXPECT_EQ(w.TheM.Lines(), Lines{"Max 200 caratteri per formula"});
  EXPECT_EQ(w.Libe.Lines(), tooLong);
  EXPECT_EQ(w.SolLab.caption, "32");
}

TEST(LiberoMode, TheCountGrowsLiveInTheWindowUntilStop) {
  Workbench bench;
  WindowModel& w = bench.Model();
  // Nearly every one of the 3,628,800 assignments is a solution, no range
  // can settle it, and each is evaluated past 128 bits: a search that runs
  // long enough to watch.
  int seenWhileRunning = 0;
  StartLibero(bench, {"A^20*B^20*C^20*D^20+E*F*G*H*I*J<>7"});
  ASSERT_TRUE(testing::PumpUntil(bench, [&] {
    bench.Timer1Timer();  // as the window's timer does, to show the count
    if (bench.Running() && !w.SolLab.caption.empty()) seenWhileRunning = std::stoi(w.SolLab.caption);
    return seenWhileRunning > 20 || !bench.Running();
  }));
  ASSERT_TRUE(bench.Running()) << "the search ended before a tick showed it";
  EXPECT_LT(seenWhileRunning, 3628800);

  bench.Button1Click();  // Stop
  ASSERT_TRUE(testing::PumpUntilIdle(bench));
  const std::int32_t final = bench.SharedState().LiberoSolutionCount.load();
  EXPECT_GE(final, seenWhileRunning);
  EXPECT_EQ(w.SolLab.caption, std::to_string(final));
  EXPECT_EQ(w.TheM.Line(w.TheM.Count() - 2), std::to_string(final) + " soluzioni");
  EXPECT_EQ(w.TheM.Line(w.TheM.Count() - 1), "(Ricerca interrotta)");
}

}  // namespace
}  // namespace zifrel
