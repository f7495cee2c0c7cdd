// Suggerimento in the Gioca window: one step from the digits the player has
// filled in, a wrong one named first.
#include "app/play_hint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deduce/explain.h"

namespace zifrel {
namespace {

using Lines = std::vector<std::string>;

// 178 - 2 = 176, 14 × 12 = 168, 192 ÷ 24 = 8: A B C D H I J = 1 4 2 6 7 9 8.
const std::array<std::string, kCellCount> kCells = {"AHJ", "C", "AHD", "AB", "AC", "ADJ", "AIC", "CB", "J"};
const OpCodes kOps = ParseOperators("-x:+x-").value();

PlayHint HintFor(const std::vector<KnownDigit>& known) {
  StopFlag stop;
  return HintFromKnownDigits(kCells, kOps, known, stop);
}

std::string Text(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(PlayHint, WithNothingFilledInItIsTheFirstStep) {
  StopFlag stop;
  LineCollector first;
  ASSERT_EQ(Hint(CellTextsOf(kCells), kOps, stop, first), ExplainOutcome::kExplained);
  const PlayHint hint = HintFor({});
  EXPECT_EQ(hint.outcome, HintOutcome::kHint);
  EXPECT_EQ(hint.lines, first.lines);
}

// The step is one the player can take from the digits given: it settles or
// rules out digits of letters still empty, and repeats none of those given.
TEST(PlayHint, WithRightDigitsItIsOneStepAboutTheRest) {
  const PlayHint hint = HintFor({{U'A', 1}, {U'C', 2}, {U'J', 8}, {U'H', 7}});
  ASSERT_EQ(hint.outcome, HintOutcome::kHint);
  EXPECT_EQ(Text(hint.lines),
            "1. Riga 1: AHJ - C = AHD, cioè AHD + C = AHJ. Ultima cifra: D + C deve finire\n"
            "   con J, quindi D = 6.\n");
}

TEST(PlayHint, AWrongDigitComesFirst) {
  struct Row {
    const char* name;
    std::vector<KnownDigit> known;
    const char* text;
  };
  const Row rows[] = {
      {"the row it breaks is named",
       {{U'A', 1}, {U'H', 7}, {U'J', 8}, {U'D', 6}, {U'C', 3}},
       "Con C = 3 la Riga 1 (AHJ - C = AHD) non sarebbe verificata.\n"},
      {"before any right digit's step",
       {{U'B', 4}, {U'I', 5}},
       "Con I = 5 la Riga 3 (AIC ÷ CB = J) non sarebbe verificata.\n"},
      {"two letters on one digit: the wrong one",
       {{U'A', 1}, {U'B', 1}},
       "Con B = 1 lo Schema non avrebbe soluzione.\n"},
  };
  for (const Row& row : rows) {
    const PlayHint hint = HintFor(row.known);
    EXPECT_EQ(hint.outcome, HintOutcome::kHint) << row.name;
    EXPECT_EQ(Text(hint.lines), row.text) << row.name;
  }
}

TEST(PlayHint, StopEndsIt) {
  StopFlag stop;
  stop.Request();
  const PlayHint hint = HintFromKnownDigits(kCells, kOps, std::vector<KnownDigit>{{U'A', 1}}, stop);
  EXPECT_EQ(hint.outcome, HintOutcome::kStopped);
  EXPECT_TRUE(hint.lines.empty());
}

TEST(PlayHint, ASchemaWithSeveralSolutionsIsRefused) {
  StopFlag stop;
  const std::array<std::string, kCellCount> cells = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
  const PlayHint hint = HintFromKnownDigits(cells, kAllPlus, {}, stop);
  EXPECT_EQ(hint.outcome, HintOutcome::kRefused);
  ASSERT_FALSE(hint.lines.empty());
  EXPECT_EQ(hint.lines.back(), "Si spiega solo uno Schema con una sola soluzione.");
}

}  // namespace
}  // namespace zifrel
