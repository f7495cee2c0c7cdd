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

TEST(Cli, HelpNamesEveryCommandAndVersionPrintsIt) {
  const CliRun help = RunArgs({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("zifrel-cli risolvi"), std::string::npos);
  const CliRun version = RunArgs({"--version"});
  EXPECT_EQ(version.out, "zifrel-cli 2.0.0\n");
}

}  // namespace
}  // namespace zifrel::cli
