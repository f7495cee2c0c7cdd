#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zifrel {

inline constexpr int kCellCount = 9;     // c1..c9 in row order
inline constexpr int kCellMaxChars = 4;  // characters a cell holds, in the window and here
// 10^k for the k last digits of a cell, up to all of them.
inline constexpr std::array<std::int32_t, kCellMaxChars + 1> kPowersOfTen = {1, 10, 100, 1000, 10000};

// Where a cell's last `lastDigits` characters start, in a cell of `length`
// characters; 0 stands for the whole cell. Solver, deduction and the
// explanation text all read the last digits of a cell this way.
constexpr int LastDigitsStart(int length, int lastDigits) {
  return lastDigits == 0 || lastDigits >= length ? 0 : length - lastDigits;
}

// The nine cell texts a solve works on, as fixed buffers of code points, so
// that the generator can refill them thousands of times without allocating.
class CellTexts {
 public:
  // False, leaving the cell unchanged, when the text has more than four
  // characters: no cell of the window can hold it.
  bool Set(int cell, std::string_view utf8);
  // The decimal text of a number 0..9999, as the generator writes its grid.
  void SetNumber(int cell, std::int32_t value);

  std::u32string_view Text(int cell) const { return {chars_[cell].data(), length_[cell]}; }

 private:
  std::array<std::array<char32_t, kCellMaxChars>, kCellCount> chars_{};
  std::array<std::uint8_t, kCellCount> length_{};
};

// The cells of a Schema held as nine UTF-8 texts, typed or generated. A text
// of more than four characters leaves its cell empty.
CellTexts CellTextsOf(const std::array<std::string, kCellCount>& texts);

}  // namespace zifrel
