// The commands of the text areas' context menus, on the window model: when
// they may run, and what each job writes.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
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

std::string NoBreak(std::string_view text) {
  std::string line;
  for (const char c : text) c == '~' ? void(line += "\u00A0") : line.push_back(c);
  return line;
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
            // The step one line, for the window to wrap; "~" a no-break space.
            NoBreak("1. Riga~3: IG~-~GG~=~GF, cioè GF~+~GG~=~IG. Contando le cifre, se G fosse 5, GF~+~GG sarebbe "
                    "almeno 50~+~55 = 105, ma IG sarebbe al più 95 (e lo stesso con 6, 7, 8 e 9), quindi G non può "
                    "essere 5, 6, 7, 8 né 9.")},
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

  // Stopped, it says so and leaves the formulas alone.
  bench.GeneraRelazioneClick();
  bench.Button1Click();
  ASSERT_TRUE(PumpUntilIdle(bench));
  EXPECT_EQ(w.TheM.Lines(), Lines{"Ricerca interrotta !"});
  EXPECT_EQ(w.Libe.Count(), 1);
}

// Stampa prints only what Spiega explains: a Schema with exactly one
// solution. Everything else is refused with the words Spiega uses for it,
// and nothing is printed.
TEST(ContextCommands, StampaRefusesWhatSpiegaRefuses) {
  struct Row {
    const char* behaviour;
    std::initializer_list<const char*> cells;
    const char* ops;
    const char* refusal;  // empty: printed with its key
  };
  for (const Row& row : {
           Row{"one solution", {"FD", "JJ", "IIF", "GB", "J", "II", "IG", "GG", "GF"}, "x+-+::", ""},
           Row{"nine letters, six plus",
               {"A", "B", "C", "D", "E", "F", "G", "H", "I"},
               "++++++",
               "Si spiega solo uno Schema con una sola soluzione."},
           Row{"four solutions",
               {"A", "B", "C", "B", "A", "C", "C", "C", "E"},
               "++++++",
               "Si spiega solo uno Schema con una sola soluzione."},
           Row{"operators that admit no Schema",
               {"FD", "JJ", "IIF", "GB", "J", "II", "IG", "GG", "GF"},
               "+++xxx",
               "Nessuna soluzione possibile"},
           Row{"an empty cell", {"FD", "JJ", "IIF", "GB", "J", "II", "IG", "GG"}, "x+-+::", "Problema incompleto!"},
       }) {
    SCOPED_TRACE(row.behaviour);
    Workbench bench;
    std::vector<std::string> errors;
    bench.SetErrorReporter([&](const std::string& text) { errors.push_back(text); });
    Show(bench, 1, row.cells, row.ops);
    const std::optional<SheetDocument> sheet = bench.StampaSheet("oggi");
    if (*row.refusal == '\0') {
      ASSERT_TRUE(sheet.has_value());
      EXPECT_TRUE(errors.empty());
      ASSERT_EQ(sheet->schemas.size(), 1u);
      EXPECT_TRUE(sheet->schemas[0].solution.has_value());
    } else {
      EXPECT_FALSE(sheet.has_value());
      EXPECT_EQ(errors, Lines{row.refusal});
    }
  }
}

// The help text keeps its first 34 lines and goes on, in their manner, with
// the commands that came later and their keys.
TEST(ContextCommands, HelpNamesTheLaterCommandsAndTheirKeys) {
  Workbench bench;
  WindowModel& w = bench.Model();
  w.TheM.AddLine("risultato di prima");
  bench.HButtClick();
  bench.HButtClick();
  const Lines& help = w.TheM.Lines();
  ASSERT_EQ(help.size(), 64u);
  EXPECT_EQ(help[3], "1) GENERA: premi VAI per");
  EXPECT_EQ(help[29], "gatto+gatto=cane+cane+cane");
  EXPECT_EQ(help[33], "-------------------------");
  std::string added;
  for (auto line = help.begin() + 34; line != help.end(); ++line) added += *line + " ";
  for (const char* command :
       {"Shift+F10", "Spiega (Ctrl+Shift+S)", "Suggerimento (Ctrl+Shift+H)", "Livello (Ctrl+Shift+L)",
        "Stampa (Ctrl+P)", "Gioca (Ctrl+Shift+G)", "Genera relazione (Ctrl+Shift+R)", "Ctrl+Z", "Tab", "+ - * x / :"}) {
    EXPECT_NE(added.find(command), std::string::npos) << command;
  }
  EXPECT_EQ(help.back(), "-------------------------");
}

}  // namespace
}  // namespace zifrel
