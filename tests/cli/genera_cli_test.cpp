#include <gtest/gtest.h>

#include <algorithm>
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

CliRun RunArgs(std::vector<std::string_view> args, long stopAfterPolls = 0) {
  std::istringstream in;
  std::ostringstream out, err;
  StopFlag stop;
  if (stopAfterPolls > 0) stop.RequestAfterPolls(stopAfterPolls);
  Io io{in, out, err, stop};
  const int status = RunCli(args, io);
  return {status, out.str(), err.str()};
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct RefusalCase {
  const char* behaviour;
  std::vector<std::string_view> args;
  int status;
  std::string out;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.behaviour; }

class GeneraCliRefuses : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(GeneraCliRefuses, WithTheRightStatusAndOneLine) {
  const RefusalCase& c = GetParam();
  const CliRun run = RunArgs(c.args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.status == kExitUsage ? 1 : 0) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneraCliRefuses,
    ::testing::Values(
        RefusalCase{"operators that admit no Schema", {"genera", "--ops", "+++xxx"}, 1, "Nessuna soluzione possibile\n"},
        RefusalCase{"the same with a seed and the = form", {"genera", "--ops=+++xxx", "--seed=5"}, 1,
                    "Nessuna soluzione possibile\n"},
        RefusalCase{"a maximum other than 999 or 9999", {"genera", "--max", "99"}, 2, ""},
        RefusalCase{"fixed operators with 9999", {"genera", "--max", "9999", "--ops", "++++++"}, 2, ""},
        RefusalCase{"five operators", {"genera", "--ops", "+++++"}, 2, ""},
        RefusalCase{"a count of 0", {"genera", "--count", "0"}, 2, ""},
        RefusalCase{"a count in words", {"genera", "--count", "tre"}, 2, ""},
        RefusalCase{"a seed beyond 32 bits", {"genera", "--seed", "2147483648"}, 2, ""},
        RefusalCase{"an unknown option", {"genera", "--fast"}, 2, ""},
        RefusalCase{"a stray argument", {"genera", "999"}, 2, ""}));

struct Printed {
  std::vector<std::string> cells;  // c1..c9
  std::string ops;                 // o1..o6
};

// Reads a Schema back from its five printed lines.
Printed ReadSchema(const std::vector<std::string>& lines, std::size_t at) {
  Printed schema;
  std::string rowOps, columnOps;
  for (std::size_t row : {at, at + 2, at + 4}) {
    std::istringstream in(lines[row]);
    std::string a, op, b, equals, r;
    in >> a >> op >> b >> equals >> r;
    schema.cells.insert(schema.cells.end(), {a, b, r});
    rowOps += op;
  }
  std::istringstream in(lines[at + 1]);
  for (std::string op; in >> op;) columnOps += op;
  schema.ops = rowOps + columnOps;
  return schema;
}

TEST(GeneraCli, ASeedReproducesItsSchemasByteForByte) {
  const CliRun first = RunArgs({"genera", "--seed", "42", "--count", "5"});
  const CliRun again = RunArgs({"genera", "--count=5", "--seed=42"});
  EXPECT_EQ(first.status, kExitSearched) << first.err;
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, RunArgs({"genera", "--seed", "43", "--count", "5"}).out);

  // Five lines a Schema, one empty line between Schemas, none at the end.
  const std::vector<std::string> lines = SplitLines(first.out);
  ASSERT_EQ(lines.size(), 5u * 5 + 4);
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].empty(), i % 6 == 5) << "line " << i;
  EXPECT_EQ(lines[3], "    =      =      =");
}

TEST(GeneraCli, SeedsEqualInMagnitudeModuloABillionGiveTheSameSchemas) {
  EXPECT_EQ(RunArgs({"genera", "--seed", "-1", "--count", "3"}).out,
            RunArgs({"genera", "--seed", "1", "--count", "3"}).out);
  EXPECT_EQ(RunArgs({"genera", "--seed=-2147483648"}).out, RunArgs({"genera", "--seed", "147483648"}).out);
}

// Each answer key is what solving the printed Schema reports.
void ExpectKeysSolveTheSchemas(std::vector<std::string_view> args, int count) {
  const CliRun run = RunArgs(args);
  ASSERT_EQ(run.status, kExitSearched) << run.err;
  const std::vector<std::string> lines = SplitLines(run.out);
  ASSERT_EQ(lines.size(), 11u * count + (count - 1));
  for (int job = 0; job < count; ++job) {
    const std::size_t at = 12 * job;
    const Printed schema = ReadSchema(lines, at);
    std::vector<std::string_view> risolvi = {"risolvi"};
    risolvi.insert(risolvi.end(), schema.cells.begin(), schema.cells.end());
    risolvi.insert(risolvi.end(), {"--ops", schema.ops});
    const std::vector<std::string> key(lines.begin() + at + 5, lines.begin() + at + 11);
    std::vector<std::string> expected = {"Una sola soluzione:"};
    expected.insert(expected.end(), key.begin(), key.end());
    EXPECT_EQ(SplitLines(RunArgs(risolvi).out), expected) << "Schema " << job + 1;
  }
}

TEST(GeneraCli, TheAnswerKeyIsTheOneSolution) {
  ExpectKeysSolveTheSchemas({"genera", "--seed", "9", "--count", "4", "--solution"}, 4);
  ExpectKeysSolveTheSchemas({"genera", "--seed", "1", "--max", "9999", "--solution"}, 1);
}

TEST(GeneraCli, FixedOperatorsAreTheOnesGiven) {
  const CliRun run = RunArgs({"genera", "--seed", "3", "--count", "3", "--ops", "/-+:+÷"});
  ASSERT_EQ(run.status, kExitSearched) << run.err;
  const std::vector<std::string> lines = SplitLines(run.out);
  for (std::size_t at : {0u, 6u, 12u}) EXPECT_EQ(ReadSchema(lines, at).ops, "÷-+÷+÷");
}

TEST(GeneraCli, CtrlCKeepsTheSchemasAlreadyPrinted) {
  const std::vector<std::string_view> args = {"genera", "--seed", "8", "--count", "2"};
  const std::string whole = RunArgs(args).out;
  const CliRun atOnce = RunArgs(args, 1);
  EXPECT_EQ(atOnce.status, kExitInterrupted);
  EXPECT_EQ(atOnce.out, "");
  // The first stop that lets the first Schema out: it comes at the second
  // job's first step.
  long low = 1, high = 1L << 24;
  while (low < high) {
    const long mid = (low + high) / 2;
    if (RunArgs(args, mid).out.empty()) {
      low = mid + 1;
    } else {
      high = mid;
    }
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
