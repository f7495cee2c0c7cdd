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

// A short list of its own, so that the rows do not hang on the system's.
class ParoleCli : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(list_) << "gatto\ncane\ncasa\nsole\nmare\npane\nvino\nluna\nnotte\ncampo\nscuola\nsera\nlegno\n"
                            "sette\nlatte\ncento\notto\nfuoco\nfiume\noro\nferro\nterra\npiede\ncielo\n";
  }
  void TearDown() override { std::filesystem::remove(list_); }
  CliRun Run(std::vector<std::string> args, long stopAfterPolls = 0) {
    args.insert(args.begin(), "parole");
    if (std::ranges::find(args, "--parole") == args.end()) args.insert(args.end(), {"--parole", list_.string()});
    return testing::RunCommandLine(std::vector<std::string_view>(args.begin(), args.end()), "", stopAfterPolls);
  }
  const std::filesystem::path list_ = std::filesystem::temp_directory_path() / "zifrel_parole_cli_test.txt";
};

TEST_F(ParoleCli, PrintsRelationsAndRefusesWithTheRightStatus) {
  struct Row {
    const char* behaviour;
    std::vector<std::string> args;
    int status;
    std::string out;
    long stopAfterPolls = 0;
  };
  for (const Row& row : {
           Row{"a relation with what libero prints of it",
               {"--seed", "5", "--forma", "a+a=b", "--solution"},
               kExitSearched,
               "notte+notte=scuola\n EANOTSCUL\n-----------\n 485361072\n------------------\n1 soluzione\n"},
           Row{"three relations of eight letters",
               {"--seed=1", "--count=3", "--lettere", "8"},
               kExitSearched,
               "oro+cielo=latte\ncielo-latte=notte\noro+otto=fiume\n"},
           Row{"a shape that is no relation", {"--forma", "a+b"}, kExitUsage, ""},
           Row{"an unknown option", {"--fast"}, kExitUsage, ""},
           Row{"a list that cannot be read", {"--parole", "/nonexistent/parole.txt"}, kExitUsage, ""},
           Row{"an empty list", {"--parole", "/dev/null"}, kExitRefused, ""},
           Row{"Ctrl-C before the first relation", {}, kExitInterrupted, "", -1},
       }) {
    const CliRun run = Run(row.args, row.stopAfterPolls);
    EXPECT_EQ(run.status, row.status) << row.behaviour << ": " << run.err;
    EXPECT_EQ(run.out, row.out) << row.behaviour;
    EXPECT_EQ(std::ranges::count(run.err, '\n'), row.status == kExitSearched || row.status == kExitInterrupted ? 0 : 1)
        << row.behaviour << ": " << run.err;
  }
}

}  // namespace
}  // namespace zifrel::cli
