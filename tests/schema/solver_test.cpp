#include "schema/solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/line_sink.h"
#include "schema/risolvi.h"
#include "tests/support/compact_schema.h"

namespace zifrel {
namespace {

using testing::ParseCompact;
using testing::ToCellTexts;
using Lines = std::vector<std::string>;

struct Solved {
  SolveOutcome result;
  Lines lines;
};

Solved Solve(std::string_view cells, std::string_view ops, StopFlag* stop = nullptr) {
  const testing::CompactSchema schema = ParseCompact(cells, ops);
  SchemaSolver solver;
  StopFlag noStop;
  LineCollector out;
  const SolveOutcome result = RunRisolvi(solver, ToCellTexts(schema.cells), schema.ops, stop ? *stop : noStop, out);
  return {result, out.lines};
}

Lines Grid(const char* top, const char* columns, const char* middle, const char* bottom) {
  return {" ", top, columns, middle, "    =      =      =", bottom};
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines kDefaultSolution = Concat({
    {"Una sola soluzione:"},
    Grid("    2 \u00D7    3 =    6", "    \u00D7      \u00D7      \u00D7", "    4 \u00D7    5 =   20",
         "    8 \u00D7   15 =  120"),
});

struct ReportCase {
  const char* behaviour;
  const char* cells;
  const char* ops;
  SolveOutcome result;
  Lines expected;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.behaviour << ": " << c.cells << "  " << c.ops; }

class ReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportTest, WritesTheExpectedLines) {
  const ReportCase& c = GetParam();
  const Solved solved = Solve(c.cells, c.ops);
  EXPECT_EQ(solved.result, c.result);
  EXPECT_EQ(solved.lines, c.expected);
}

// Nine solutions: B must be 0, and A any other digit; "0A" reads as A.
Lines NineLeadingZeroSolutions() {
  Lines lines = {"9 soluzioni distinte:"};
  for (char a = '1'; a <= '9'; ++a) {
    const std::string row = std::string("    ") + a + " +    0 =    " + a;
    const Lines grid = Grid(row.c_str(), "    +      +      +", "    0 +    0 =    0", row.c_str());
    lines.insert(lines.end(), grid.begin(), grid.end());
  }
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportTest,
    ::testing::Values(
        ReportCase{"the window's default cells, all multiply", "2 3 6 / 4 5 20 / 8 15 120", "xxx xxx",
                   SolveOutcome::kSearched, kDefaultSolution},
        ReportCase{"the same puzzle in Greek letters", "β γ ζ / δ ε βο / θ αε αβο", "xxx xxx", SolveOutcome::kSearched,
                   kDefaultSolution},
        ReportCase{"divide and minus print as themselves, cells in place", "DHA E GHF / FF FI A / H HC HH", "÷-+ ÷+÷",
                   SolveOutcome::kSearched,
                   Concat({{"Una sola soluzione:"},
                           Grid("  792 \u00F7    4 =  198", "    \u00F7      +      \u00F7", "   88 -   86 =    2",
                                "    9 +   90 =   99")})},
        ReportCase{
            "two solutions get a counted header", "B B C / B B C / C C E", "+++ +++", SolveOutcome::kSearched,
            Concat({{"2 soluzioni distinte:"},
                    Grid("    1 +    1 =    2", "    +      +      +", "    1 +    1 =    2", "    2 +    2 =    4"),
                    Grid("    2 +    2 =    4", "    +      +      +", "    2 +    2 =    4", "    4 +    4 =    8")})},
        ReportCase{"a leading zero is allowed; nine solutions", "BA B BA / B B B / BA B BA", "+++ +++",
                   SolveOutcome::kSearched, NineLeadingZeroSolutions()},
        ReportCase{
            "a repeated character is one digit", "AA AA AA / AA AA AA / AA AA AA", "+++ +++", SolveOutcome::kSearched,
            Concat({{"Una sola soluzione:"},
                    Grid("    0 +    0 =    0", "    +      +      +", "    0 +    0 =    0", "    0 +    0 =    0")})},
        ReportCase{"digits are codes: 7 may not stand for seven",
                   "7 3 6 / 4 5 20 / 8 15 120",
                   "xxx xxx",
                   SolveOutcome::kSearched,
                   {"Nessuna Soluzione !"}},
        ReportCase{
            "an empty cell", "A B C / D E F / G H ~", "+++ +++", SolveOutcome::kIncomplete, {"Problema incompleto!"}},
        ReportCase{"incomplete wins over too many symbols",
                   "AB CD EF / GH IJ K / L M ~",
                   "+++ +++",
                   SolveOutcome::kIncomplete,
                   {"Problema incompleto!"}},
        ReportCase{"eleven distinct characters",
                   "AB CD EF / GH IJ K / A A A",
                   "+++ +++",
                   SolveOutcome::kTooManySymbols,
                   {"Troppi simboli !!"}},
        ReportCase{"eleven non-Latin letters are eleven symbols",
                   "αβ γδ εζ / ηθ ικ λ / α α α",
                   "+++ +++",
                   SolveOutcome::kTooManySymbols,
                   {"Troppi simboli !!"}},
        ReportCase{"A and a are two symbols",
                   "AB CD EF / GH IJ a / A A A",
                   "+++ +++",
                   SolveOutcome::kTooManySymbols,
                   {"Troppi simboli !!"}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(SchemaReport, TenOrMoreListsTheFirstTenInSearchOrder) {
  // B must be 0; A and C take any two other digits: 72 solutions.
  const Solved solved = Solve("CA B CA / B B B / CA B CA", "+++ +++");
  ASSERT_EQ(solved.lines.size(), 1u + 10 * 6);
  EXPECT_EQ(solved.lines[0], "10 (o piu') soluzioni distinte:");
  EXPECT_EQ(solved.lines[2], "   21 +    0 =   21");   // A 1, C 2 first
  EXPECT_EQ(solved.lines[50], "   12 +    0 =   12");  // A 2, C 1 ninth
  EXPECT_EQ(solved.lines[56], "   32 +    0 =   32");  // A 2, C 3 tenth
}

// Step 1 is before any digit is tried.
TEST(SchemaSearch, AStopAtAnyStepReportsOnlyTheInterruption) {
  long step = 1;
  for (;; ++step) {
    StopFlag stop;
    stop.RequestAfterPolls(step);
    const Solved solved = Solve("CA B CA / B B B / CA B CA", "+++ +++", &stop);
    if (!stop.IsSet()) break;  // the search ended before its step-th poll
    ASSERT_EQ(solved.lines, Lines{"Ricerca interrotta !"}) << "stopped at step " << step;
  }
  EXPECT_GT(step, 10);
}

TEST(SchemaSearch, SolvesAgainFromScratch) {
  // One solver serves the generator's many calls: nothing of one solve leaks
  // into the next.
  SchemaSolver solver;
  StopFlag stop;
  const testing::CompactSchema many = ParseCompact("CA B CA / B B B / CA B CA", "+++ +++");
  const testing::CompactSchema one = ParseCompact("2 3 6 / 4 5 20 / 8 15 120", "xxx xxx");
  solver.SolveSchema(SolveMode::CountOnly, ToCellTexts(many.cells), many.ops, stop);
  solver.SolveSchema(SolveMode::CountOnly, ToCellTexts(one.cells), one.ops, stop);
  ASSERT_EQ(solver.SolutionCount(), 1);
  EXPECT_EQ(solver.Solution(0), (NumberGrid{2, 3, 6, 4, 5, 20, 8, 15, 120}));
}

}  // namespace
}  // namespace zifrel
