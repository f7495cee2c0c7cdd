// The commands of the text areas' context menus, on the window model: when
// they may run, and what each job writes.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/workbench.h"
#include "libero/libero_job.h"
#include "tests/support/pump.h"

namespace zifrel {
namespace {

using testing::PumpUntilIdle;
using Lines = std::vector<std::string>;

void Show(Workbench& bench, int mode, std::initializer_list<const char*> cells, const char* ops) {
  WindowModel& w = bench.Model();
  w.Operaz.itemIndex = mode;
  int k = 0;
  for (const char* cell : cells) w.Ed[k++].SetText(cell);
  w.CurrentOps = ParseOperators(ops).value();
  bench.OperazClick();
}

TEST(ContextCommands, RunWhereTheyApplyAndWriteTheirLines) {
  Workbench bench;
  WindowModel& w = bench.Model();
  Show(bench, 1, {"FD", "JJ", "IIF", "GB", "J", "II", "IG", "GG", "GF"}, "x+-+::");
  EXPECT_TRUE(bench.SchemaCommandsAvailable());
  EXPECT_FALSE(bench.WordPuzzleAvailable());
  bench.GeneraRelazioneClick();  // not in this mode: nothing starts
  EXPECT_FALSE(bench.Running());

  struct Row {
    void (Workbench::*command)();
    std::string first;
    std::string last;
  };
  for (const Row& row :
       {Row{&Workbench::SpiegaClick, "In questo Schema un numero di più cifre può anche cominciare con 0.",
            "Livello: 1 (facile)"},
        Row{&Workbench::SuggerimentoClick, "In questo Schema un numero di più cifre può anche cominciare con 0.",
            "   con G, quindi F = 0."},
        Row{&Workbench::LivelloClick, "Livello: 1 (facile)", "Livello: 1 (facile)"}}) {
    w.TheM.AddLine("risultato di prima");
    (bench.*row.command)();
    EXPECT_TRUE(bench.Running());
    EXPECT_FALSE(bench.SchemaCommandsAvailable());  // one job at a time
    EXPECT_EQ(w.Button1.caption, "Stop");
    ASSERT_TRUE(PumpUntilIdle(bench));
    ASSERT_FALSE(w.TheM.Lines().empty());
    EXPECT_EQ(w.TheM.Lines().front(), row.first);
    EXPECT_EQ(w.TheM.Lines().back(), row.last);
  }
  EXPECT_EQ(w.TheM.Count(), 1);  // Livello writes its line only

  // Stop ends the explanation as it ends any search.
  bench.SpiegaClick();
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
  EXPECT_EQ(w.TheM.Lines(), Lines{"Ricerca interrotta !"});
}

// A new relation replaces what the formula area held; solved, it has one
// solution.
TEST(ContextCommands, GeneraRelazioneWritesAPuzzleWithOneSolution) {
  Workbench bench;
  WindowModel& w = bench.Model();
  Show(bench, 2, {}, "++++++");
  EXPECT_FALSE(bench.SchemaCommandsAvailable());
  w.Libe.ReplaceFromUser({"A+B=C", "C+D=E"});
  bench.GeneraRelazioneClick();
  ASSERT_TRUE(PumpUntilIdle(bench));
  ASSERT_EQ(w.Libe.Count(), 1) << ::testing::PrintToString(w.TheM.Lines());
  libero::FreeRelations job;
  LineCollector out;
  StopFlag stop;
  std::atomic<std::int32_t> count{0};
  job.SolveFreeRelations(
      w.Libe.Lines(), [](std::span<const std::string>) {}, out, stop, count);
  EXPECT_EQ(out.lines.back(), "1 soluzione") << w.Libe.Line(0);
}

}  // namespace
}  // namespace zifrel
