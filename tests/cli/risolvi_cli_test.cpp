#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/command.h"
#include "tests/support/cli_run.h"

namespace zifrel::cli {
namespace {

using testing::CliRun;

CliRun RunArgs(std::vector<std::string_view> args, long stopAfterPolls = 0) {
  return testing::RunCommandLine(args, "", stopAfterPolls);
}

struct CliCase {
  const char* behaviour;
  std::vector<std::string_view> args;
  int status;
  std::string out;
};

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.behaviour; }

class RisolviCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(RisolviCli, PrintsTheOutputAreaLines) {
  const CliCase& c = GetParam();
  const CliRun run = RunArgs(c.args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err.empty(), c.status != kExitUsage);
  if (c.status == kExitUsage) {
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

const char* kDefaultReport =
    "Una sola soluzione:\n"
    " \n"
    "    2 \u00D7    3 =    6\n"
    "    \u00D7      \u00D7      \u00D7\n"
    "    4 \u00D7    5 =   20\n"
    "    =      =      =\n"
    "    8 \u00D7   15 =  120\n";

// Every kind of line an explanation has: the note on leading zeros, steps
// of one and of two lines, the solution and the level.
const char* kExplanation =
    "In questo Schema un numero di più cifre può anche cominciare con 0.\n"
    "1. Riga 3: IG - GG = GF, cioè GF + GG = IG. Ultima cifra: F + G deve finire\n"
    "   con G, quindi F = 0.\n"
    "2. Colonna 2: JJ \u00F7 J = GG, cioè GG \u00D7 J = JJ. Ultima cifra: G \u00D7 J deve finire\n"
    "   con J, quindi J non può essere 1; G non può essere 2, 4, 5 né 8.\n"
    "3. Riga 3: IG - GG = GF, cioè GF + GG = IG. Ultime due cifre: GF + GG deve\n"
    "   finire con IG, quindi I non può essere 1, 3, 5, 7 né 9.\n"
    "4. Colonna 2: JJ \u00F7 J = GG, cioè GG \u00D7 J = JJ. Ultime due cifre: GG \u00D7 J deve\n"
    "   finire con JJ, quindi G = 1.\n"
    "5. Riga 3: IG - GG = GF, cioè GF + GG = IG. Ultime due cifre: GF + GG deve\n"
    "   finire con IG, quindi I = 2.\n"
    "6. Riga 1: FD \u00D7 JJ = IIF. Ultima cifra: D \u00D7 J deve finire con F, quindi D e J\n"
    "   non possono essere 3, 7 né 9.\n"
    "7. Riga 2: GB + J = II. Ultima cifra: B + J deve finire con I, quindi J non\n"
    "   può essere 6; B non può essere 3, 5, 6 né 9.\n"
    "8. Colonna 1: FD + GB = IG. Ultima cifra: D + B deve finire con G, quindi\n"
    "   D = 4 e B = 7.\n"
    "9. Riga 1: FD \u00D7 JJ = IIF. Ultima cifra: D \u00D7 J deve finire con F, quindi J = 5.\n"
    " \n"
    "    4 \u00D7   55 =  220\n"
    "    +      \u00F7      \u00F7\n"
    "   17 +    5 =   22\n"
    "    =      =      =\n"
    "   21 -   11 =   10\n"
    "Livello: 1 (facile)\n";

INSTANTIATE_TEST_SUITE_P(
    Table, RisolviCli,
    ::testing::Values(
        CliCase{"the default cells with x for times",
                {"risolvi", "2", "3", "6", "4", "5", "20", "8", "15", "120", "--ops", "xxxxxx"},
                0,
                kDefaultReport},
        CliCase{"* X and the multiplication sign all mean times",
                {"risolvi", "--ops=*X\u00D7x*X", "2", "3", "6", "4", "5", "20", "8", "15", "120"},
                0,
                kDefaultReport},
        CliCase{"default operators are all plus",
                {"risolvi", "B", "B", "C", "B", "B", "C", "C", "C", "E"},
                0,
                "2 soluzioni distinte:\n \n    1 +    1 =    2\n    +      +      +\n    1 +    1 =    2\n"
                "    =      =      =\n    2 +    2 =    4\n \n    2 +    2 =    4\n    +      +      +\n"
                "    2 +    2 =    4\n    =      =      =\n    4 +    4 =    8\n"},
        CliCase{"no solution is still a search",
                {"risolvi", "A", "A", "B", "A", "A", "B", "B", "B", "B"},
                0,
                "Nessuna Soluzione !\n"},
        CliCase{"an empty cell is refused",
                {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", ""},
                1,
                "Problema incompleto!\n"},
        CliCase{"eleven characters are refused",
                {"risolvi", "AB", "CD", "EF", "GH", "IJ", "K", "A", "A", "A"},
                1,
                "Troppi simboli !!\n"},
        CliCase{"operators that admit no Schema are refused",
                {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--ops", "+++xxx"},
                1,
                "Nessuna soluzione possibile\n"},
        CliCase{"spiega explains step by step",
                {"spiega", "FD", "JJ", "IIF", "GB", "J", "II", "IG", "GG", "GF", "--ops", "x+-+::"},
                0,
                kExplanation},
        CliCase{"spiega --passi gives a hint: the first steps, how many are left, the level",
                {"spiega", "FHD", "J", "JJ", "CH", "C", "FH", "FCD", "B", "DJ", "--ops=-::+--", "--passi", "1"},
                0,
                "1. Prime cifre: un numero di due o più cifre non comincia con 0, quindi F, D,\n"
                "   J e C non possono essere 0.\n"
                "Altri 5 passi portano alla soluzione.\n"
                "Livello: 1 (facile)\n"},
        CliCase{"spiega lists the solutions of a Schema that has several and explains none",
                {"spiega", "B", "B", "C", "B", "B", "C", "C", "C", "E"},
                0,
                "2 soluzioni distinte:\n \n    1 +    1 =    2\n    +      +      +\n    1 +    1 =    2\n"
                "    =      =      =\n    2 +    2 =    4\n \n    2 +    2 =    4\n    +      +      +\n"
                "    2 +    2 =    4\n    =      =      =\n    4 +    4 =    8\n"
                "Si spiega solo uno Schema con una sola soluzione.\n"},
        CliCase{"spiega refuses an empty cell",
                {"spiega", "A", "B", "C", "D", "E", "F", "G", "H", ""},
                1,
                "Problema incompleto!\n"},
        CliCase{"spiega refuses operators that admit no Schema",
                {"spiega", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--ops", "+++xxx"},
                1,
                "Nessuna soluzione possibile\n"},
        CliCase{"spiega --passi 0", {"spiega", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--passi", "0"}, 2, ""},
        CliCase{"a cell of five characters", {"risolvi", "ABCDE", "B", "C", "D", "E", "F", "G", "H", "I"}, 2, ""},
        CliCase{"eight cells", {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H"}, 2, ""},
        CliCase{"five operators", {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--ops", "+++++"}, 2, ""},
        CliCase{
            "an unknown operator", {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--ops", "++++^+"}, 2, ""},
        CliCase{"--ops without its value", {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--ops"}, 2, ""},
        CliCase{"an unknown option", {"risolvi", "A", "B", "C", "D", "E", "F", "G", "H", "I", "--fast"}, 2, ""},
        CliCase{"an unknown command", {"risolvere"}, 2, ""}, CliCase{"no command at all", {}, 2, ""}));

TEST(RisolviCli, CellsMayLookLikeOptionsAfterTheDoubleDash) {
  const CliRun run = RunArgs({"risolvi", "--", "--", "-", "-", "-", "-", "-", "-", "-", "-"});
  EXPECT_EQ(run.status, kExitSearched) << run.err;
}

TEST(RisolviCli, ANonLatinPuzzleIsSolvedLikeItsLatinTwin) {
  const CliRun run = RunArgs({"risolvi", "β", "γ", "ζ", "δ", "ε", "βο", "θ", "αε", "αβο", "--ops", "××××××"});
  EXPECT_EQ(run.out, kDefaultReport);
}

TEST(RisolviCli, CtrlCEndsTheSearchAsStopDoes) {
  const CliRun run = RunArgs({"risolvi", "CA", "B", "CA", "B", "B", "B", "CA", "B", "CA"}, 3);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_EQ(run.out, "Ricerca interrotta !\n");
}

TEST(RisolviCli, CtrlCEndsAnExplanationAsStopDoes) {
  const CliRun run =
      RunArgs({"spiega", "JEI", "EEJ", "GBC", "EBH", "C", "CBJ", "J", "EEI", "FBI", "--ops", "-xx:++"}, 70);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_EQ(run.out, "Ricerca interrotta !\n");
}

TEST(Cli, HelpNamesEveryCommandAndVersionPrintsIt) {
  const CliRun help = RunArgs({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("zifrel-cli risolvi"), std::string::npos);
  EXPECT_NE(help.out.find("zifrel-cli parole"), std::string::npos);
  const CliRun version = RunArgs({"--version"});
  EXPECT_EQ(version.out, "zifrel-cli 2.0.0\n");
}

}  // namespace
}  // namespace zifrel::cli
