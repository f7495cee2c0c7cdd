#include "sheet/sheet_document.h"

#include <charconv>
#include <ctime>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>

#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/deduction.h"
#include "sheet/sheet_phrases.h"

namespace zifrel {
namespace {

constexpr std::string_view kNoSolution = "-";

std::optional<int> ReadNumber(const std::string& word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<SheetSchema> ReadSchema(const std::string& line) {
  std::istringstream words(line);
  SheetSchema schema;
  for (std::string& cell : schema.cells) {
    if (!(words >> cell) || CodePointCount(cell) > kCellMaxChars) return std::nullopt;
  }
  std::string word;
  if (!(words >> word)) return std::nullopt;
  const std::optional<OpCodes> ops = ParseOperators(word);
  if (!ops) return std::nullopt;
  schema.ops = *ops;
  if (!(words >> word)) return std::nullopt;
  if (word != kNoSolution) {
    NumberGrid grid{};
    for (int k = 0; k < kCellCount; ++k) {
      const std::optional<int> number = ReadNumber(word);
      if (!number || *number < 0 || (k + 1 < kCellCount && !(words >> word))) return std::nullopt;
      grid[k] = *number;
    }
    schema.solution = grid;
  }
  if (!(words >> word)) return std::nullopt;
  const std::optional<int> level = ReadNumber(word);
  if (!level || *level < 0 || *level > kLevelCount || words >> word) return std::nullopt;
  schema.level = *level;
  return schema;
}

}  // namespace

std::string SeedNote(std::int32_t seed) { return Fill(sheet_phrase::kSeed, {std::to_string(seed)}); }

std::string TodayNote() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Fill(sheet_phrase::kDate, {std::to_string(local.tm_mday), sheet_phrase::kMonths[local.tm_mon],
                                    std::to_string(local.tm_year + 1900)});
}

std::vector<std::pair<std::string, int>> LetterKey(const SheetSchema& schema) {
  if (!schema.solution) return {};
  std::map<char32_t, int> digits;
  for (int k = 0; k < kCellCount; ++k) {
    const std::u32string symbols = DecodeUtf8(schema.cells[k]);
    std::string number = std::to_string((*schema.solution)[k]);
    // A solution gives every character of a cell one digit of its number;
    // a typed Schema may start a number with 0.
    if (number.size() > symbols.size()) return {};
    number.insert(0, symbols.size() - number.size(), '0');
    for (std::size_t i = 0; i < symbols.size(); ++i) digits[symbols[i]] = number[i] - '0';
  }
  std::vector<std::pair<std::string, int>> key;
  for (const auto& [symbol, digit] : digits) key.emplace_back(EncodeUtf8(std::u32string(1, symbol)), digit);
  return key;
}

void WriteSheetText(const SheetDocument& document, std::ostream& out) {
  out << document.note << '\n';
  for (const SheetSchema& schema : document.schemas) {
    for (const std::string& cell : schema.cells) out << cell << ' ';
    for (const OpCode op : schema.ops) out << OperatorGlyph(op);
    if (schema.solution) {
      for (const std::int32_t number : *schema.solution) out << ' ' << number;
    } else {
      out << ' ' << kNoSolution;
    }
    out << ' ' << schema.level << '\n';
  }
}

std::optional<SheetDocument> ReadSheetText(std::istream& in, std::string& error) {
  SheetDocument document;
  std::getline(in, document.note);
  std::string line;
  for (int number = 2; std::getline(in, line); ++number) {
    std::optional<SheetSchema> schema = ReadSchema(line);
    if (!schema) {
      error = "riga " + std::to_string(number) + ": non e' uno schema: " + line;
      return std::nullopt;
    }
    document.schemas.push_back(std::move(*schema));
  }
  return document;
}

}  // namespace zifrel
