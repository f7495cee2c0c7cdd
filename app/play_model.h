#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "schema/cell_texts.h"
#include "schema/operators.h"
#include "sheet/sheet_document.h"

namespace zifrel {

// The state of one Gioca window: the Schema being solved, the digit the
// player gave each letter, the pencil marks, the history of changes and the
// judgements drawn from them. Plain C++, so tests drive it as the window's
// keys do; the window only draws it.
class PlayModel {
 public:
  static constexpr int kNoDigit = -1;

  // How a row or a column stands while the key fills up.
  enum class EquationState { kOpen, kHolds, kFails };

  // A Schema with exactly one solution: its answer key must be set.
  explicit PlayModel(SheetSchema schema);

  const SheetSchema& Schema() const { return schema_; }

  // The letters in the order of their codes, as the printed strip shows them.
  int LetterCount() const { return static_cast<int>(letters_.size()); }
  const std::string& Letter(int i) const { return letters_[i].text; }
  int Digit(int i) const { return letters_[i].digit; }
  // Bit d: the player pencilled digit d into the letter's box.
  std::uint16_t Marks(int i) const { return letters_[i].marks; }

  // The box the keys work on; moves wrap round from the last to the first.
  int Selected() const { return selected_; }
  void Select(int i);
  void SelectNext();
  void SelectPrevious();
  // The box of the letter typed (its case need not match); false when the
  // Schema has no such letter.
  bool SelectLetter(char32_t letter);

  // In pencil mode a digit key marks the box instead of filling it.
  bool PencilMode() const { return pencil_; }
  void SetPencilMode(bool on) { pencil_ = on; }

  // A digit key: fills the selected box (and moves on to the next), or in
  // pencil mode toggles the mark. Every change can be undone.
  void Type(int digit);
  // Backspace or Delete: empties the selected box, its marks too.
  void Erase();
  bool CanUndo() const { return undoCount_ > 0; }
  bool CanRedo() const { return undoCount_ < history_.size(); }
  void Undo();
  void Redo();
  // Soluzione: fills in the whole key, as one change that Annulla takes back.
  void ShowSolution();
  bool SolutionShown() const { return solutionShown_; }

  // The digit is given to another letter too.
  bool Duplicate(int i) const;
  // Rows 0..2, then columns 0..2 (equation 3 + column).
  EquationState Equation(int e) const;
  bool Complete() const;
  int RightCount() const;
  // Every letter has its digit; the player found them (without Soluzione).
  bool Solved() const { return !solutionShown_ && RightCount() == LetterCount(); }
  // A digit has ever been filled in: the clock runs from then.
  bool Started() const { return started_; }

 private:
  struct LetterBox {
    std::string text;
    char32_t code = 0;
    int digit = kNoDigit;
    std::uint16_t marks = 0;
    int answer = 0;
  };
  // One change: a box's digit and marks before and after.
  struct Change {
    int letter = 0;
    int digitBefore = kNoDigit, digitAfter = kNoDigit;
    std::uint16_t marksBefore = 0, marksAfter = 0;
  };
  // What one key or command changed: one box, or the whole key for Soluzione.
  using ChangeGroup = std::vector<Change>;

  void Apply(ChangeGroup group);
  void Set(int letter, int digit, std::uint16_t marks);
  std::int64_t CellValue(int cell) const;  // -1 while a letter of it has no digit

  SheetSchema schema_;
  std::vector<LetterBox> letters_;
  std::array<std::vector<int>, kCellCount> cellLetters_;  // each cell's letters, left to right
  std::vector<ChangeGroup> history_;
  std::size_t undoCount_ = 0;  // changes of history_ in effect
  int selected_ = 0;
  bool pencil_ = false;
  bool started_ = false;
  bool solutionShown_ = false;
};

// The clock's text: "0:07", "12:30", "1:02:03".
std::string ClockText(long seconds);

}  // namespace zifrel
