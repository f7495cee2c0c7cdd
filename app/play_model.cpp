#include "app/play_model.h"

#include <map>
#include <stdexcept>

#include "core/utf8.h"
#include "schema/equations.h"

namespace zifrel {
namespace {

// Letters match whatever their case, as a player types them; only a
// letter of the Latin alphabet has a case here.
char32_t Folded(char32_t c) { return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c; }

}  // namespace

PlayModel::PlayModel(SheetSchema schema) : schema_(std::move(schema)) {
  const std::vector<std::pair<std::string, int>> key = LetterKey(schema_);
  if (key.empty()) throw std::invalid_argument("uno Schema senza soluzione non si gioca");
  std::map<char32_t, int> index;
  for (const auto& [text, answer] : key) {
    LetterBox box;
    box.text = text;
    box.code = DecodeUtf8(text).front();
    box.answer = answer;
    index[box.code] = static_cast<int>(letters_.size());
    letters_.push_back(std::move(box));
  }
  for (int k = 0; k < kCellCount; ++k) {
    for (const char32_t c : DecodeUtf8(schema_.cells[k])) cellLetters_[k].push_back(index.at(c));
  }
}

void PlayModel::Select(int i) {
  if (i >= 0 && i < LetterCount()) selected_ = i;
}

void PlayModel::SelectNext() { selected_ = (selected_ + 1) % LetterCount(); }

void PlayModel::SelectPrevious() { selected_ = (selected_ + LetterCount() - 1) % LetterCount(); }

bool PlayModel::SelectLetter(char32_t letter) {
  // The exact character first: a typed Schema may use both "a" and "A".
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < LetterCount(); ++i) {
      const bool match = pass == 0 ? letters_[i].code == letter : Folded(letters_[i].code) == Folded(letter);
      if (match) {
        selected_ = i;
        return true;
      }
    }
  }
  return false;
}

void PlayModel::Type(int digit) {
  if (digit < 0 || digit > 9) return;
  const LetterBox& box = letters_[selected_];
  if (pencil_) {
    // Marks belong to an empty box: a digit written over them hides them.
    if (box.digit != kNoDigit) return;
    Apply({{selected_, box.digit, box.digit, box.marks, static_cast<std::uint16_t>(box.marks ^ (1u << digit))}});
    return;
  }
  if (box.digit != digit) {
    Apply({{selected_, box.digit, digit, box.marks, box.marks}});
    started_ = true;
  }
  SelectNext();
}

void PlayModel::Erase() {
  const LetterBox& box = letters_[selected_];
  if (box.digit == kNoDigit && box.marks == 0) return;
  // A filled box keeps its marks under the digit; emptying it shows them
  // again, and a second Erase takes them away.
  if (box.digit != kNoDigit) {
    Apply({{selected_, box.digit, kNoDigit, box.marks, box.marks}});
  } else {
    Apply({{selected_, kNoDigit, kNoDigit, box.marks, 0}});
  }
}

void PlayModel::ShowSolution() {
  ChangeGroup group;
  for (int i = 0; i < LetterCount(); ++i) {
    const LetterBox& box = letters_[i];
    if (box.digit != box.answer) group.push_back({i, box.digit, box.answer, box.marks, box.marks});
  }
  solutionShown_ = true;
  if (!group.empty()) Apply(std::move(group));
}

void PlayModel::Apply(ChangeGroup group) {
  history_.resize(undoCount_);  // a new change drops what Ripeti could bring back
  for (const Change& change : group) Set(change.letter, change.digitAfter, change.marksAfter);
  history_.push_back(std::move(group));
  ++undoCount_;
}

void PlayModel::Undo() {
  if (!CanUndo()) return;
  const ChangeGroup& group = history_[--undoCount_];
  for (const Change& change : group) Set(change.letter, change.digitBefore, change.marksBefore);
  selected_ = group.front().letter;
}

void PlayModel::Redo() {
  if (!CanRedo()) return;
  const ChangeGroup& group = history_[undoCount_++];
  for (const Change& change : group) Set(change.letter, change.digitAfter, change.marksAfter);
  selected_ = group.front().letter;
}

void PlayModel::Set(int letter, int digit, std::uint16_t marks) {
  letters_[letter].digit = digit;
  letters_[letter].marks = marks;
}

bool PlayModel::Duplicate(int i) const {
  const int digit = letters_[i].digit;
  if (digit == kNoDigit) return false;
  for (int j = 0; j < LetterCount(); ++j) {
    if (j != i && letters_[j].digit == digit) return true;
  }
  return false;
}

std::int64_t PlayModel::CellValue(int cell) const {
  std::int64_t value = 0;
  for (const int letter : cellLetters_[cell]) {
    if (letters_[letter].digit == kNoDigit) return -1;
    value = value * 10 + letters_[letter].digit;
  }
  return value;
}

PlayModel::EquationState PlayModel::Equation(int e) const {
  const SchemaEquation equation = NormaliseEquation(e, schema_.ops[e]);
  const std::int64_t a = CellValue(equation.first);
  const std::int64_t b = CellValue(equation.second);
  const std::int64_t r = CellValue(equation.result);
  if (a < 0 || b < 0 || r < 0) return EquationState::kOpen;
  const std::int64_t value = equation.form == EquationForm::Product ? a * b : a + b;
  return value == r ? EquationState::kHolds : EquationState::kFails;
}

bool PlayModel::Complete() const {
  for (const LetterBox& box : letters_) {
    if (box.digit == kNoDigit) return false;
  }
  return true;
}

int PlayModel::RightCount() const {
  int right = 0;
  for (const LetterBox& box : letters_) right += box.digit == box.answer;
  return right;
}

std::string ClockText(long seconds) {
  const auto two = [](long n) {
    std::string text = std::to_string(n);
    if (n < 10) text.insert(text.begin(), '0');
    return text;
  };
  const long hours = seconds / 3600, minutes = seconds / 60 % 60;
  std::string text = hours > 0 ? std::to_string(hours) + ":" + two(minutes) : std::to_string(minutes);
  return text.append(":").append(two(seconds % 60));
}

}  // namespace zifrel
