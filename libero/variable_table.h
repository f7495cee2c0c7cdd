#pragma once

#include <array>
#include <cstdint>

namespace zifrel::libero {

// The numbering of letters for the compilation under way: letters get the
// numbers 1, 2, ... in order of first appearance. A letter marked leading
// begins a word of two or more characters and never takes the digit 0.
class VariableTable {
 public:
  static constexpr int kMaxLetters = 26;

  void Reset() { *this = VariableTable(); }

  // The letter's number, given now if it has none yet.
  int Number(char letter) {
    int& number = numberOf_[Index(letter)];
    if (number == 0) {
      number = ++count_;
      letterOf_[number] = letter;
    }
    return number;
  }
  // Marks a letter as leading; a letter that has no number yet stays unmarked.
  void MarkLeading(char letter) {
    if (const int number = numberOf_[Index(letter)]; number != 0) leading_[number] = true;
  }

  int Count() const { return count_; }
  int NumberOf(char letter) const { return numberOf_[Index(letter)]; }
  char LetterOf(int number) const { return letterOf_[number]; }
  bool Leading(int number) const { return leading_[number]; }

 private:
  static int Index(char letter) { return static_cast<unsigned char>(letter) & 0x7F; }

  int count_ = 0;
  std::array<int, 128> numberOf_{};  // by character code; only A..Z are ever numbered
  std::array<char, kMaxLetters + 1> letterOf_{};
  std::array<bool, kMaxLetters + 1> leading_{};
};

}  // namespace zifrel::libero
