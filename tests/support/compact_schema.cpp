#include "tests/support/compact_schema.h"

#include <sstream>
#include <stdexcept>

#include "core/utf8.h"

namespace zifrel::testing {

CompactSchema ParseCompact(std::string_view cells, std::string_view ops) {
  CompactSchema schema{};
  std::istringstream in{std::string(cells)};
  std::string word;
  int k = 0;
  while (in >> word) {
    if (word == "/") continue;
    if (k == 9) throw std::invalid_argument("more than nine cells");
    if (word == "~") word.clear();
    schema.cells[k++] = word;
  }
  if (k != 9) throw std::invalid_argument("fewer than nine cells");
  std::string opText;
  for (char c : ops) {
    if (c != ' ') opText += c;
  }
  const auto parsed = ParseOperators(opText);
  if (!parsed) throw std::invalid_argument("bad operators");
  schema.ops = *parsed;
  return schema;
}

std::array<std::u32string, 9> DecodeCells(const std::array<std::string, 9>& cells) {
  std::array<std::u32string, 9> decoded;
  for (int k = 0; k < 9; ++k) decoded[k] = DecodeUtf8(cells[k]);
  return decoded;
}

CellTexts ToCellTexts(const std::array<std::string, 9>& cells) { return CellTextsOf(cells); }

}  // namespace zifrel::testing
