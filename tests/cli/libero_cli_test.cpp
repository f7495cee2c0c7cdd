#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace zifrel::cli {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunLibero(std::vector<std::string_view> args, const std::string& input, long stopAfterPolls = 0,
                 bool stopFirst = false) {
  std::istringstream in(input);
  std::ostringstream out, err;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  if (stopFirst) stop.Request();
  Io io{in, out, err, stop};
  args.insert(args.begin(), "libero");
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

struct LiberoCliCase {
  const char* behaviour;
  std::vector<std::string_view> args;
  std::string input;
  int status;
  std::string out;
};

void PrintTo(const LiberoCliCase& c, std::ostream* os) { *os << c.behaviour; }

class LiberoCli : public ::testing::TestWithParam<LiberoCliCase> {};

TEST_P(LiberoCli, PrintsTheOutputAreaLines) {
  const LiberoCliCase& c = GetParam();
  const CliRun run = RunLibero(c.args, c.input);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  if (c.status == kExitUsage) {
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  } else {
    EXPECT_EQ(run.err, "");
  }
}

const std::string kSendMore = " DEYSNMOR\n----------\n 75296108\n------------------\n1 soluzione\n";
const std::string kABis9 =
    " AB\n----\n 90\n 81\n 72\n 63\n 54\n 45\n 36\n 27\n 18\n 09\n------------------\n10 soluzioni\n";

INSTANTIATE_TEST_SUITE_P(
    Table, LiberoCli,
    ::testing::Values(
        LiberoCliCase{"reads standard input without FILE", {}, "SEND+MORE=MONEY\n", 0, kSendMore},
        LiberoCliCase{"- is standard input", {"-"}, "SEND+MORE=MONEY", 0, kSendMore},
        LiberoCliCase{"a carriage return ending a line is dropped", {}, "A+B=9\r\n", 0, kABis9},
        LiberoCliCase{"a vertical tab stays in its line and reads as <>", {}, "A\v5\n", 0,
                      " A\n---\n 0\n 1\n 2\n 3\n 4\n 6\n 7\n 8\n 9\n------------------\n9 soluzioni\n"},
        LiberoCliCase{"no input at all", {}, "", 0, "Nessuna soluzione\n"},
        LiberoCliCase{"a relation that fails its check", {}, "A=B\na + b\n", 1,
                      "ERRORE:\nManca il simbolo di relazione in\na + b\n"},
        LiberoCliCase{"a byte that is not UTF-8 is echoed unchanged", {}, "A\xC3=B\n", 1,
                      "ERRORE:\nCarattere proibito in\nA\xC3=B\n"},
        LiberoCliCase{"a line of 201 characters", {}, "A=B\nA=" + std::string(199, '1') + "\n", 1,
                      "Max 200 caratteri per formula\n"},
        LiberoCliCase{"two files", {"a", "b"}, "", 2, ""},
        LiberoCliCase{"an unknown option", {"--fast"}, "", 2, ""},
        LiberoCliCase{"a file that cannot be read", {"/nonexistent/relazioni.txt"}, "", 2, ""},
        LiberoCliCase{"a directory cannot be read either", {"/"}, "", 2, ""}));

TEST(LiberoCli, ReadsTheRelationsFromAFile) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "zifrel_libero_cli_test.txt";
  std::ofstream(path, std::ios::binary) << "\r\nSEND+MORE=MONEY\r\n";
  const std::string name = path.string();
  const CliRun run = RunLibero({name}, "ignored=1");
  std::filesystem::remove(path);
  EXPECT_EQ(run.status, kExitSearched) << run.err;
  EXPECT_EQ(run.out, kSendMore);
}

TEST(LiberoCli, CtrlCStopsTheSearchAsStopDoes) {
  const CliRun run = RunLibero({}, "A+B=C\n", 3);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_TRUE(run.out.ends_with("(Ricerca interrotta)\n")) << run.out;
}

TEST(LiberoCli, AStopBeforeTheJobBeginsRunsNothing) {
  const CliRun run = RunLibero({}, "A+B=C\n", 0, true);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_EQ(run.out, "");
}

TEST(LiberoCli, HelpNamesTheCommand) {
  const CliRun run = RunLibero({"--help"}, "");
  EXPECT_EQ(run.status, kExitSearched);
  EXPECT_NE(run.out.find("zifrel-cli libero [FILE]"), std::string::npos);
}

}  // namespace
}  // namespace zifrel::cli
