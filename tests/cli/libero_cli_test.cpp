#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "tests/support/cli_run.h"

namespace zifrel::cli {
namespace {

using testing::CliRun;

CliRun RunLibero(std::vector<std::string_view> args, const std::string& input, long stopAfterPolls = 0) {
  args.insert(args.begin(), "libero");
  return testing::RunCommandLine(args, input, stopAfterPolls);
}

struct LiberoCliCase {
  const char* behaviour;
  std::vector<std::string_view> args;
  std::string input;
  int status;
  std::string out;
  long stopAfterPolls = 0;
};

void PrintTo(const LiberoCliCase& c, std::ostream* os) { *os << c.behaviour; }

class LiberoCli : public ::testing::TestWithParam<LiberoCliCase> {};

TEST_P(LiberoCli, PrintsTheOutputAreaLines) {
  const LiberoCliCase& c = GetParam();
  const CliRun run = RunLibero(c.args, c.input, c.stopAfterPolls);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(std::ranges::count(run.err, '\n'), c.status == kExitUsage ? 1 : 0) << run.err;
}

const std::string kRule = "------------------\n";
const std::string kSendMore = " DEYSNMOR\n----------\n 75296108\n" + kRule + "1 soluzione\n";

INSTANTIATE_TEST_SUITE_P(
    Table, LiberoCli,
    ::testing::Values(
        LiberoCliCase{"standard input without FILE", {}, "SEND+MORE=MONEY\n", 0, kSendMore},
        LiberoCliCase{"- is standard input", {"-"}, "SEND+MORE=MONEY", 0, kSendMore},
        LiberoCliCase{
            "a vertical tab stays in its line", {}, "A\v0\nA<2\n", 0, " A\n---\n 1\n" + kRule + "1 soluzione\n"},
        LiberoCliCase{"no input at all", {}, "", 0, "Nessuna soluzione\n"},
        LiberoCliCase{"a failing check", {}, "A=B\na + b\n", 1, "ERRORE:\nManca il simbolo di relazione in\na + b\n"},
        LiberoCliCase{"a byte not UTF-8, echoed", {}, "A\xC3=B\n", 1, "ERRORE:\nCarattere proibito in\nA\xC3=B\n"},
        LiberoCliCase{"201 characters", {}, "A=B\nA=" + std::string(199, '1'), 1, "Max 200 caratteri per formula\n"},
        LiberoCliCase{"two files", {"a", "b"}, "", 2, ""}, LiberoCliCase{"an unknown option", {"--fast"}, "", 2, ""},
        LiberoCliCase{"a file that cannot be read", {"/nonexistent/relazioni.txt"}, "", 2, ""},
        LiberoCliCase{"a directory cannot be read either", {"/"}, "", 2, ""},
        LiberoCliCase{"Ctrl-C before the job begins runs nothing", {}, "A+B=C\n", 130, "", -1}));

TEST(LiberoCli, ReadsAFileAndDropsTheCarriageReturnsEndingItsLines) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "zifrel_libero_cli_test.txt";
  std::ofstream(path, std::ios::binary) << "\r\nSEND+MORE=MONEY\r\n";
  const CliRun run = RunLibero({path.string()}, "ignored=1");
  std::filesystem::remove(path);
  EXPECT_EQ(run.status, kExitSearched) << run.err;
  EXPECT_EQ(run.out, kSendMore);
}

TEST(LiberoCli, CtrlCStopsTheSearchAsStopDoes) {
  const CliRun run = RunLibero({}, "A+B=C\n", 3);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_TRUE(run.out.ends_with("(Ricerca interrotta)\n")) << run.out;
}

TEST(LiberoCli, HelpNamesTheCommand) {
  const CliRun run = RunLibero({"--help"}, "");
  EXPECT_EQ(run.status, kExitSearched);
  EXPECT_NE(run.out.find("zifrel-cli libero [FILE]"), std::string::npos);
}

}  // namespace
}  // namespace zifrel::cli
