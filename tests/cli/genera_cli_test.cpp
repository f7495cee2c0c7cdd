#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "tests/support/cli_run.h"

namespace zifrel::cli {
namespace {

using testing::CliRun;

CliRun RunArgs(const std::vector<std::string>& args, long stopAfterPolls = 0) {
  return testing::RunCommandLine(std::vector<std::string_view>(args.begin(), args.end()), "", stopAfterPolls);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A refusal prints one line on the error stream, or (status 1) one line of
// output.
TEST(GeneraCli, RefusesWithTheRightStatus) {
  struct Row {
    const char* behaviour;
    std::vector<std::string> args;
    int status;
  };
  for (const Row& row : {Row{"operators that admit no Schema", {"genera", "--ops", "+++xxx"}, kExitRefused},
                         Row{"a maximum other than 999 or 9999", {"genera", "--max", "99"}, kExitUsage},
                         Row{"fixed operators with 9999", {"genera", "--max", "9999", "--ops", "++++++"}, kExitUsage},
                         Row{"five operators", {"genera", "--ops", "+++++"}, kExitUsage},
                         Row{"a count of 0", {"genera", "--count", "0"}, kExitUsage},
                         Row{"a level of 6", {"genera", "--livello", "6"}, kExitUsage},
                         Row{"a sheet without its file", {"genera", "--pdf"}, kExitUsage},
                         Row{"a seed beyond 32 bits", {"genera", "--seed", "2147483648"}, kExitUsage},
                         Row{"an unknown option", {"genera", "--fast"}, kExitUsage},
                         Row{"a stray argument", {"genera", "999"}, kExitUsage}}) {
    const CliRun run = RunArgs(row.args);
    EXPECT_EQ(run.status, row.status) << row.behaviour;
    const bool usage = row.status == kExitUsage;
    EXPECT_EQ(run.out, usage ? "" : "Nessuna soluzione possibile\n") << row.behaviour;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), usage ? 1 : 0) << row.behaviour << ": " << run.err;
  }
}

TEST(GeneraCli, ASeedReproducesItsSchemasByteForByte) {
  const CliRun first = RunArgs({"genera", "--seed", "42", "--count", "5"});
  EXPECT_EQ(first.status, kExitSearched) << first.err;
  EXPECT_EQ(first.out, RunArgs({"genera", "--count=5", "--seed=42"}).out);
  EXPECT_NE(first.out, RunArgs({"genera", "--seed", "43", "--count", "5"}).out);
  // Seeds equal in magnitude modulo a billion give the same Schemas.
  EXPECT_EQ(RunArgs({"genera", "--seed", "-1"}).out, RunArgs({"genera", "--seed", "1"}).out);
  EXPECT_EQ(RunArgs({"genera", "--seed=-2147483648"}).out, RunArgs({"genera", "--seed", "147483648"}).out);
  // Five lines a Schema, one empty line between Schemas, none at the end.
  const std::vector<std::string> lines = SplitLines(first.out);
  ASSERT_EQ(lines.size(), 5u * 5 + 4);
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].empty(), i % 6 == 5) << "line " << i;
}

// Reads a Schema back from its five printed lines as the arguments that
// solve it: risolvi c1..c9 --ops o1..o6.
std::vector<std::string> RisolviArgs(const std::vector<std::string>& lines, std::size_t at) {
  std::vector<std::string> args = {"risolvi"};
  std::string ops;
  for (std::size_t row : {at, at + 2, at + 4}) {
    std::istringstream in(lines[row]);
    std::string a, op, b, equals, r;
    in >> a >> op >> b >> equals >> r;
    args.insert(args.end(), {a, b, r});
    ops += op;
  }
  std::istringstream in(lines[at + 1]);
  for (std::string op; in >> op;) ops += op;
  args.insert(args.end(), {"--ops", ops});
  return args;
}

// Each answer key is what solving its printed Schema reports; fixed
// operators are printed as given.
TEST(GeneraCli, TheAnswerKeyIsTheOneSolution) {
  struct Row {
    std::vector<std::string> args;
    std::size_t count;
    std::string fixedOps;
  };
  for (const Row& row :
       {Row{{"genera", "--seed", "9", "--count", "4", "--solution"}, 4, ""},
        Row{{"genera", "--seed", "1", "--max", "9999", "--solution"}, 1, ""},
        Row{{"genera", "--seed", "3", "--count", "3", "--ops", "/-+:+÷", "--solution"}, 3, "÷-+÷+÷"}}) {
    const CliRun run = RunArgs(row.args);
    ASSERT_EQ(run.status, kExitSearched) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 12 * row.count - 1);
    for (std::size_t at = 0; at < lines.size(); at += 12) {
      const std::vector<std::string> risolvi = RisolviArgs(lines, at);
      if (!row.fixedOps.empty()) {
        EXPECT_EQ(risolvi.back(), row.fixedOps);
      }
      std::vector<std::string> expected = {"Una sola soluzione:"};
      expected.insert(expected.end(), lines.begin() + at + 5, lines.begin() + at + 11);
      EXPECT_EQ(SplitLines(RunArgs(risolvi).out), expected) << row.args[2] << ", Schema at line " << at + 1;
    }
  }
}

// Each level's Schema ends with its level line, which spiega confirms; the
// same seed gives the same Schema.
TEST(GeneraCli, ALevelIsKeptAndConfirmedBySpiega) {
  const char* names[] = {"facile", "medio", "difficile", "molto difficile", "diabolico"};
  for (int level = 1; level <= 5; ++level) {
    const std::vector<std::string> args = {"genera", "--seed", "4", "--livello", std::to_string(level), "--solution"};
    const CliRun run = RunArgs(args);
    ASSERT_EQ(run.status, kExitSearched) << run.err;
    EXPECT_EQ(run.out, RunArgs(args).out);
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 12u);
    const std::string levelLine = "Livello: " + std::to_string(level) + " (" + names[level - 1] + ")";
    EXPECT_EQ(lines.back(), levelLine);
    std::vector<std::string> spiega = RisolviArgs(lines, 0);
    spiega[0] = "spiega";
    EXPECT_EQ(SplitLines(RunArgs(spiega).out).back(), levelLine) << "level " << level;
  }
}

TEST(GeneraCli, CtrlCKeepsTheSchemasAlreadyPrinted) {
  const std::vector<std::string> args = {"genera", "--seed", "8", "--count", "2"};
  const std::string whole = RunArgs(args).out;
  const CliRun atOnce = RunArgs(args, 1);
  EXPECT_EQ(atOnce.status, kExitInterrupted);
  EXPECT_EQ(atOnce.out, "");
  // The first stop that lets the first Schema out: it comes at the second
  // job's first step.
  long low = 1, high = 1L << 24;
  while (low < high) {
    const long mid = (low + high) / 2;
    if (RunArgs(args, mid).out.empty())
      low = mid + 1;
    else
      high = mid;
  }
  const CliRun run = RunArgs(args, low);
  EXPECT_EQ(run.status, kExitInterrupted);
  EXPECT_EQ(run.out, whole.substr(0, whole.find("\n\n") + 1));
}

TEST(GeneraCli, HelpNamesIt) {
  EXPECT_NE(RunArgs({"--help"}).out.find("zifrel-cli genera [--max 999|9999]"), std::string::npos);
  EXPECT_EQ(RunArgs({"genera", "--help"}).status, kExitSearched);
}

}  // namespace
}  // namespace zifrel::cli
