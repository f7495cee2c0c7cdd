#include "schema/cell_texts.h"

#include <algorithm>

#include "core/utf8.h"

namespace zifrel {

bool CellTexts::Set(int cell, std::string_view utf8) {
  std::array<char32_t, kCellMaxChars> decoded{};
  std::size_t length = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++length) {
    if (length == kCellMaxChars) return false;
    decoded[length] = NextCodePoint(utf8, pos);
  }
  chars_[cell] = decoded;
  length_[cell] = static_cast<std::uint8_t>(length);
  return true;
}

CellTexts CellTextsOf(const std::array<std::string, kCellCount>& texts) {
  CellTexts cells;
  for (int k = 0; k < kCellCount; ++k) cells.Set(k, texts[k]);
  return cells;
}

void CellTexts::SetNumber(int cell, std::int32_t value) {
  char32_t reversed[kCellMaxChars];
  int length = 0;
  std::uint32_t rest = static_cast<std::uint32_t>(std::clamp(value, 0, 9999));
  do {
    reversed[length++] = U'0' + rest % 10;
    rest /= 10;
  } while (rest != 0 && length < kCellMaxChars);
  for (int i = 0; i < length; ++i) chars_[cell][i] = reversed[length - 1 - i];
  length_[cell] = static_cast<std::uint8_t>(length);
}

}  // namespace zifrel
