// The solver prunes harder than the plain search; these tests hold it to the
// plain search's solutions, order and counts on many Schemas.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "schema/solver.h"
#include "tests/support/compact_schema.h"
#include "tests/support/reference_solver.h"

namespace zifrel {
namespace {

struct Outcome {
  SolveOutcome result;
  std::vector<NumberGrid> solutions;
};

Outcome Solve(const std::array<std::string, 9>& cells, const OpCodes& ops) {
  SchemaSolver solver;
  StopFlag stop;
  Outcome outcome{solver.SolveSchema(SolveMode::CountOnly, testing::ToCellTexts(cells), ops, stop), {}};
  for (int i = 0; i < solver.SolutionCount(); ++i) outcome.solutions.push_back(solver.Solution(i));
  return outcome;
}

void ExpectSameAsReference(const std::array<std::string, 9>& cells, const OpCodes& ops, const std::string& label) {
  const Outcome outcome = Solve(cells, ops);
  const testing::ReferenceResult reference = testing::ReferenceSolve(testing::DecodeCells(cells), ops);
  ASSERT_EQ(outcome.result, reference.outcome) << label;
  ASSERT_EQ(outcome.solutions, reference.solutions) << label;
}

std::string Describe(const std::array<std::string, 9>& cells, const OpCodes& ops) {
  std::string text;
  for (int k = 0; k < 9; ++k) text += cells[k] + (k == 8 ? "" : k % 3 == 2 ? " / " : " ");
  text += "  ";
  for (OpCode op : ops) text += OperatorGlyph(op);
  return text;
}

// Applies an operator forwards; false when the result is not a cell value.
bool Apply(OpCode op, int a, int b, int& r) {
  switch (op) {
    case kMultiply:
      r = a * b;
      break;
    case kPlus:
      r = a + b;
      break;
    case kDivide:
      if (b == 0 || a % b != 0) return false;
      r = a / b;
      break;
    default:
      if (a < b) return false;
      r = a - b;
  }
  return r <= 9999;
}

// A random consistent number grid, coded with a random digit map that may
// give two digits the same character, so the puzzles range from unique to
// wide open.
bool RandomCodedGrid(std::mt19937& rng, std::array<std::string, 9>& cells, OpCodes& ops) {
  const int limit = 2 + static_cast<int>(rng() % 120);
  int x[9];
  for (int k : {0, 1, 3, 4}) x[k] = static_cast<int>(rng() % limit);
  for (OpCode& op : ops) op = static_cast<OpCode>(rng() % 4);
  if (!Apply(ops[0], x[0], x[1], x[2]) || !Apply(ops[1], x[3], x[4], x[5]) || !Apply(ops[3], x[0], x[3], x[6]) ||
      !Apply(ops[4], x[1], x[4], x[7])) {
    return false;
  }
  int row3 = 0, column3 = 0;
  if (!Apply(ops[2], x[6], x[7], row3) || !Apply(ops[5], x[2], x[5], column3) || row3 != column3) return false;
  x[8] = row3;
  char map[10];
  for (char& c : map) c = static_cast<char>('A' + rng() % (rng() % 2 ? 10 : 7));
  for (int k = 0; k < 9; ++k) {
    cells[k].clear();
    for (char d : std::to_string(x[k])) cells[k] += map[d - '0'];
  }
  return true;
}

TEST(SolverAgainstReference, RandomCodedGrids) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 rng(seed);
    int compared = 0;
    while (compared < 400) {
      std::array<std::string, 9> cells;
      OpCodes ops;
      if (!RandomCodedGrid(rng, cells, ops)) continue;
      ExpectSameAsReference(cells, ops, "seed " + std::to_string(seed) + ": " + Describe(cells, ops));
      ++compared;
    }
  }
}

TEST(SolverAgainstReference, RandomCells) {
  std::mt19937 rng(11);
  for (int i = 0; i < 1500; ++i) {
    std::array<std::string, 9> cells;
    OpCodes ops;
    for (std::string& cell : cells) {
      cell.clear();
      const int length = 1 + static_cast<int>(rng() % 3);
      for (int j = 0; j < length; ++j) cell += static_cast<char>('A' + rng() % 6);
    }
    for (OpCode& op : ops) op = static_cast<OpCode>(rng() % 4);
    ExpectSameAsReference(cells, ops, "seed 11, case " + std::to_string(i) + ": " + Describe(cells, ops));
  }
}

TEST(SolverAgainstReference, SharedUnitsAreTheWorstCaseOfThePlainSearch) {
  const testing::CompactSchema schema = testing::ParseCompact("BA CA DA / EA FA GA / HA IA JA", "xxx xxx");
  const testing::ReferenceResult reference = testing::ReferenceSolve(testing::DecodeCells(schema.cells), schema.ops);
  EXPECT_GT(reference.nodes, 3'000'000);  // what the extra pruning is for
  const Outcome outcome = Solve(schema.cells, schema.ops);
  EXPECT_EQ(outcome.solutions, reference.solutions);
}

}  // namespace
}  // namespace zifrel
