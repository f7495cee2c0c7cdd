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

TEST(PlayHint, WithNothingFilledInItIsTheFirstStep) {
  StopFlag stop;
  LineCollector first;
  ASSERT_EQ(Hint(CellTextsOf(kCells), kOps, stop, first), ExplainOutcome::kExplained);
  const PlayHint hint = HintFor({});
  EXPECT_EQ(hint.outcome, HintOutcome::kHint);
  EXPECT_EQ(hint.lines, first.lines);
}

// The step given is about a letter still empty: it is the first step of the
// deduction that rules out one of their digits, and no letter whose digit the
// player has is settled by it.
TEST(PlayHint, WithRightDigitsItIsAStepAboutTheRest) {
  const PlayHint hint = HintFor({{"A", 1}, {"C", 2}, {"J", 8}, {"H", 7}});
  ASSERT_EQ(hint.outcome, HintOutcome::kHint);
  ASSERT_FALSE(hint.lines.empty());
  std::string text;
  for (const std::string& line : hint.lines) text += line + "\n";
  for (const char* known : {"A = 1", "C = 2", "J = 8", "H = 7"}) EXPECT_EQ(text.find(known), std::string::npos) << text;
  const bool namesAnEmptyLetter =
      text.find('B') != std::string::npos || text.find('D') != std::string::npos || text.find('I') != std::string::npos;
  EXPECT_TRUE(namesAnEmptyLetter) << text;
}

TEST(PlayHint, AWrongDigitComesFirst) {
  struct Row {
    const char* name;
    std::vector<KnownDigit> known;
    Lines lines;
  };
  const Row rows[] = {
      {"the row it breaks is named",
       {{"A", 1}, {"H", 7}, {"J", 8}, {"D", 6}, {"C", 3}},
       {"Con C = 3 la Riga 1 non può tornare."}},
      {"before any right digit's step", {{"B", 4}, {"I", 5}}, {"Con I = 5 la Riga 3 non può tornare."}},
      {"a number does not start with 0",
       {{"A", 0}},
       {"A non può essere 0: un numero di due o più cifre non comincia con 0."}},
      {"two letters on one digit: the wrong one", {{"A", 1}, {"B", 1}}, {"Con B = 1 la Riga 2 non può tornare."}},
      {"every digit right",
       {{"A", 1}, {"B", 4}, {"C", 2}, {"D", 6}, {"H", 7}, {"I", 9}, {"J", 8}},
       {"Tutte le cifre date sono giuste."}},
  };
  for (const Row& row : rows) {
    const PlayHint hint = HintFor(row.known);
    EXPECT_EQ(hint.outcome, HintOutcome::kHint) << row.name;
    EXPECT_EQ(hint.lines, row.lines) << row.name;
  }
}

TEST(PlayHint, StopEndsIt) {
  StopFlag stop;
  stop.Request();
  const PlayHint hint = HintFromKnownDigits(kCells, kOps, {{"A", 1}}, stop);
  EXPECT_EQ(hint.outcome, HintOutcome::kStopped);
  EXPECT_TRUE(hint.lines.empty());
}

TEST(PlayHint, ASchemaWithSeveralSolutionsIsRefused) {
  StopFlag stop;
  const std::array<std::string, kCellCount> cells = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
  const PlayHint hint = HintFromKnownDigits(cells, kAllPlus, {}, stop);
  EXPECT_EQ(hint.outcome, HintOutcome::kRefused);
  EXPECT_EQ(hint.lines, Lines{"Si spiega solo uno Schema con una sola soluzione."});
}

}  // namespace
}  // namespace zifrel
