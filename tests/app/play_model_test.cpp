// The Gioca window's model: the key as the player fills it, the history of
// changes, and what the window shows of rows, columns and digits.
#include "app/play_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zifrel {
namespace {

using State = PlayModel::EquationState;

// AHJ - C = AHD, AB × AC = ADJ, AIC ÷ CB = J; the columns AHJ + AB = AIC,
// C × AC = CB, AHD - ADJ = J. By hand: 178 - 2 = 176, 14 × 12 = 168,
// 192 ÷ 24 = 8; 178 + 14 = 192, 2 × 12 = 24, 176 - 168 = 8.
// The letters in code order: A B C D H I J = 1 4 2 6 7 9 8.
PlayModel Game() {
  SheetSchema schema;
  schema.cells = {"AHJ", "C", "AHD", "AB", "AC", "ADJ", "AIC", "CB", "J"};
  schema.ops = ParseOperators("-x:+x-").value();
  schema.solution = NumberGrid{178, 2, 176, 14, 12, 168, 192, 24, 8};
  schema.level = 1;
  return PlayModel(schema);
}
const std::vector<int> kAnswer = {1, 4, 2, 6, 7, 9, 8};

// Types the digits into the boxes from the first on; -1 leaves one empty.
void Fill(PlayModel& game, const std::vector<int>& digits) {
  game.Select(0);
  for (const int digit : digits) {
    if (digit < 0) {
      game.SelectNext();
    } else {
      game.Type(digit);
    }
  }
}

std::vector<int> Digits(const PlayModel& game) {
  std::vector<int> digits;
  for (int i = 0; i < game.LetterCount(); ++i) digits.push_back(game.Digit(i));
  return digits;
}

std::vector<State> Equations(const PlayModel& game) {
  std::vector<State> states;
  for (int e = 0; e < 6; ++e) states.push_back(game.Equation(e));
  return states;
}

TEST(PlayModel, LettersInCodeOrderAndKeysThatMove) {
  PlayModel game = Game();
  std::string letters;
  for (int i = 0; i < game.LetterCount(); ++i) letters += game.Letter(i);
  EXPECT_EQ(letters, "ABCDHIJ");
  EXPECT_TRUE(game.SelectLetter(U'h'));  // either case
  EXPECT_EQ(game.Selected(), 4);
  EXPECT_FALSE(game.SelectLetter(U'E'));
  EXPECT_EQ(game.Selected(), 4);
  game.Select(6);
  game.SelectNext();  // round from the last to the first
  EXPECT_EQ(game.Selected(), 0);
  game.SelectPrevious();
  EXPECT_EQ(game.Selected(), 6);
}

TEST(PlayModel, FillClearUndoRedo) {
  PlayModel game = Game();
  const int none = PlayModel::kNoDigit;
  EXPECT_FALSE(game.Started());
  Fill(game, {1, 4, 5});
  EXPECT_TRUE(game.Started());
  EXPECT_EQ(game.Selected(), 3);  // a digit moves on to the next box
  game.Select(2);
  game.Erase();
  EXPECT_EQ(Digits(game), (std::vector<int>{1, 4, none, none, none, none, none}));
  game.Undo();
  EXPECT_EQ(Digits(game), (std::vector<int>{1, 4, 5, none, none, none, none}));
  game.Undo();
  game.Undo();
  EXPECT_EQ(Digits(game), (std::vector<int>{1, none, none, none, none, none, none}));
  EXPECT_EQ(game.Selected(), 1);  // Annulla shows where the change was
  game.Redo();
  EXPECT_EQ(Digits(game), (std::vector<int>{1, 4, none, none, none, none, none}));
  EXPECT_TRUE(game.CanRedo());
  game.Select(3);
  game.Type(6);  // a new change: what Ripeti held is gone
  EXPECT_FALSE(game.CanRedo());
  game.Select(3);
  game.Type(6);  // the same digit again changes nothing
  game.Undo();
  EXPECT_EQ(game.Digit(3), none);
  game.Undo();
  game.Undo();
  EXPECT_FALSE(game.CanUndo());
  game.Undo();  // nothing left: no harm
  EXPECT_EQ(Digits(game), std::vector<int>(7, none));
}

TEST(PlayModel, RowsAndColumnsShowWhetherTheyHold) {
  PlayModel game = Game();
  EXPECT_EQ(Equations(game), std::vector<State>(6, State::kOpen));
  // A H J C D: row 1 and column 3 (AHD - ADJ = J) have all their letters.
  Fill(game, {1, -1, 2, 6, 7, -1, 8});
  EXPECT_EQ(Equations(game),
            (std::vector<State>{State::kHolds, State::kOpen, State::kOpen, State::kOpen, State::kOpen, State::kHolds}));
  game.Select(2);
  game.Type(3);  // 178 - 3 is not 176
  EXPECT_EQ(game.Equation(0), State::kFails);
  EXPECT_EQ(game.Equation(5), State::kHolds);  // C is not in it
  EXPECT_EQ(game.RightCount(), 4);
}

TEST(PlayModel, ADigitUsedTwiceIsMarkedOnBothLetters) {
  PlayModel game = Game();
  Fill(game, {1, 4, 2, 4});
  std::vector<bool> twice;
  for (int i = 0; i < game.LetterCount(); ++i) twice.push_back(game.Duplicate(i));
  EXPECT_EQ(twice, (std::vector<bool>{false, true, false, true, false, false, false}));
  game.Undo();
  EXPECT_FALSE(game.Duplicate(1));
}

TEST(PlayModel, CompleteAndRightIsSolved) {
  PlayModel game = Game();
  Fill(game, {1, 4, 2, 6, 7, 9, 3});
  EXPECT_TRUE(game.Complete());
  EXPECT_FALSE(game.Solved());
  EXPECT_EQ(game.RightCount(), 6);
  game.Select(6);
  game.Erase();
  EXPECT_FALSE(game.Complete());
  game.Type(8);
  EXPECT_TRUE(game.Solved());
  EXPECT_EQ(Equations(game), std::vector<State>(6, State::kHolds));
}

TEST(PlayModel, SoluzioneFillsTheKeyButIsNoWin) {
  PlayModel game = Game();
  Fill(game, {1, 5});
  game.ShowSolution();
  EXPECT_EQ(Digits(game), kAnswer);
  EXPECT_EQ(game.RightCount(), 7);
  EXPECT_FALSE(game.Solved());
  game.Undo();  // as one change
  EXPECT_EQ(game.Digit(1), 5);
  EXPECT_EQ(game.Digit(2), PlayModel::kNoDigit);
}

TEST(PlayModel, PencilMarksBelongToEmptyBoxes) {
  PlayModel game = Game();
  game.SetPencilMode(true);
  game.Type(3);
  game.Type(7);
  game.Type(3);  // a second time takes it away
  EXPECT_EQ(game.Marks(0), 1u << 7);
  EXPECT_EQ(game.Selected(), 0);  // marking stays on the box
  game.SetPencilMode(false);
  game.Select(0);
  game.Type(1);
  game.Select(0);
  game.SetPencilMode(true);
  game.Type(2);  // under a digit: no mark
  EXPECT_EQ(game.Marks(0), 1u << 7);
  game.Erase();  // the digit goes, the mark shows again
  EXPECT_EQ(game.Digit(0), PlayModel::kNoDigit);
  EXPECT_EQ(game.Marks(0), 1u << 7);
  game.Erase();
  EXPECT_EQ(game.Marks(0), 0u);
  game.Undo();
  EXPECT_EQ(game.Marks(0), 1u << 7);
}

TEST(PlayModel, ClockText) {
  const std::vector<std::pair<long, std::string>> rows = {{0, "0:00"},  {7, "0:07"},    {59, "0:59"},
                                                          {60, "1:00"}, {750, "12:30"}, {3723, "1:02:03"}};
  for (const auto& [seconds, text] : rows) EXPECT_EQ(ClockText(seconds), text) << seconds;
}

}  // namespace
}  // namespace zifrel
