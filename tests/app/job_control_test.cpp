#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/workbench.h"
#include "tests/support/pump.h"

namespace zifrel {
namespace {

using namespace std::chrono_literals;
using testing::PumpUntil;
using testing::PumpUntilIdle;

// A job that searches until it is told to stop.
class EndlessJob : public Genera {
 public:
  using Genera::Genera;
  void Execute() override {
    AppendLine("searching");
    while (!session().StopRequested.Poll()) std::this_thread::sleep_for(1ms);
  }
};

void TypeCells(WindowModel& w, std::initializer_list<const char*> cells) {
  int k = 0;
  for (const char* cell : cells) w.Ed[k++].SetText(cell);
}

void ChooseRisolvi(Workbench& bench, const OpCodes& ops) {
  bench.Model().Operaz.itemIndex = 1;
  bench.Model().CurrentOps = ops;
  bench.OperazClick();
}

const OpCodes kAllTimes = {kMultiply, kMultiply, kMultiply, kMultiply, kMultiply, kMultiply};

TEST(RisolviJob, SolvesTheCellsAsTheyWereAtVai) {
  Workbench bench;
  WindowModel& w = bench.Model();
  ChooseRisolvi(bench, kAllTimes);
  TypeCells(w, {"2", "3", "6", "4", "5", "20", "8", "15", "120"});
  w.TheM.AddLine("vecchio risultato");  // every job starts on an empty output area
  bench.Button1Click();
  // The worker cannot get past its first hand-over before we pump, so this
  // edit surely happens while the job runs.
  TypeCells(w, {"A", "B", "C", "D", "E", "F", "G", "H", ""});
  ASSERT_TRUE(PumpUntilIdle(bench));
  ASSERT_EQ(w.TheM.Count(), 7);
  EXPECT_EQ(w.TheM.Line(0), "Una sola soluzione:");
  EXPECT_EQ(w.TheM.Line(6), "    8 \u00D7   15 =  120");
}

TEST(JobLifeCycle, IdleSearchingStoppingIdle) {
  Workbench bench;
  WindowModel& w = bench.Model();
  bench.SetJobFactory(JobsOf<EndlessJob>());
  ChooseRisolvi(bench, kAllPlus);

  bench.Button1Click();  // Vai
  EXPECT_TRUE(bench.Running());
  EXPECT_EQ(w.Button1.caption, "Stop");
  EXPECT_TRUE(w.Button1.enabled);
  for (bool enabled : {w.Operaz.enabled, w.MaxN.enabled, w.RandOp.enabled, w.Copia.enabled, w.Canc.enabled,
                       w.HButt.enabled, w.Bo[0].enabled, w.Bo[5].enabled}) {
    EXPECT_FALSE(enabled);
  }
  ASSERT_TRUE(PumpUntil(bench, [&] { return w.TheM.Count() == 1; }));

  bench.Button1Click();  // Stop
  EXPECT_EQ(w.Button1.caption, "Wait");
  EXPECT_FALSE(w.Button1.enabled);
  EXPECT_TRUE(bench.SharedState().StopRequested.IsSet());

  ASSERT_TRUE(PumpUntilIdle(bench));  // the job sees the stop and ends
  EXPECT_EQ(w.Button1.caption, "Vai");
  EXPECT_TRUE(w.Button1.enabled);
  EXPECT_TRUE(w.Operaz.enabled);
  EXPECT_TRUE(w.Bo[0].enabled);  // Risolvi: the rules enable them again
  EXPECT_TRUE(w.Canc.enabled);
}

TEST(Spinner, TurnsOnlyWhileAJobRunsAndGoesOnAcrossJobs) {
  Workbench bench;
  WindowModel& w = bench.Model();
  bench.SetJobFactory(JobsOf<EndlessJob>());
  bench.Timer1Timer();
  EXPECT_FALSE(w.Giro.visible);  // idle: hidden

  std::string shown;
  bench.Button1Click();
  for (int tick = 0; tick < 5; ++tick) {
    bench.Timer1Timer();
    EXPECT_TRUE(w.Giro.visible);
    shown += w.Giro.caption;
  }
  EXPECT_EQ(shown, "ifrel");
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
  bench.Timer1Timer();
  EXPECT_FALSE(w.Giro.visible);
  EXPECT_EQ(w.Giro.caption, "l");  // it keeps the last character

  shown.clear();
  bench.Button1Click();
  for (int tick = 0; tick < 3; ++tick) {
    bench.Timer1Timer();
    shown += w.Giro.caption;
  }
  EXPECT_EQ(shown, " Zi");  // the next job goes on where the last one stopped
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
}

}  // namespace
}  // namespace zifrel
