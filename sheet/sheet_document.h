#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "schema/cell_texts.h"
#include "schema/operators.h"
#include "schema/schema_lines.h"

namespace zifrel {

// One Schema of a printed sheet, as typed into the window or generated.
struct SheetSchema {
  std::array<std::string, kCellCount> cells;  // UTF-8, c1..c9
  OpCodes ops = kAllPlus;
  std::optional<NumberGrid> solution;  // its answer key, when it has exactly one solution
  int level = 0;                       // 1..5; 0 when it was not graded
};

// What a sheet shows: the note at the end of its title line (the seed or the
// date) and the Schemas, numbered from 1. Standard C++ only, so that
// zifrel-cli can make one without linking Qt.
struct SheetDocument {
  std::string note;
  std::vector<SheetSchema> schemas;
};

std::string SeedNote(std::int32_t seed);
// Today's date in the local time zone, as "6 dicembre 2025".
std::string TodayNote();

// A solved Schema's characters, each with its digit, in the order of their
// codes: {"A", 7}, {"B", 0}, ... Empty when the Schema has no answer key.
std::vector<std::pair<std::string, int>> LetterKey(const SheetSchema& schema);

// The text zifrel-cli hands to zifrel-sheet: the note on the first line, then
// one line per Schema with its nine cells, its six operators, its solution's
// nine numbers (or one "-") and its level, separated by blanks. A cell holds
// no blank, which a generated Schema's letters never do.
void WriteSheetText(const SheetDocument& document, std::ostream& out);
// Empty when a line does not read as a Schema; then `error` names the line.
std::optional<SheetDocument> ReadSheetText(std::istream& in, std::string& error);

}  // namespace zifrel
