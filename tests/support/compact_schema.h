#pragma once

#include <array>
#include <string>
#include <string_view>

#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel::testing {

// A Schema in compact notation, so a failing row shows the puzzle:
// cells "AB C DE / F GH IJ / A BC DEF" (rows split by "/", cells by blanks;
// "~" for an empty cell) and operators "+x+ x+-" (rows, then columns).
struct CompactSchema {
  std::array<std::string, 9> cells;  // UTF-8
  OpCodes ops;
};

CompactSchema ParseCompact(std::string_view cells, std::string_view ops);
std::array<std::u32string, 9> DecodeCells(const std::array<std::string, 9>& cells);
CellTexts ToCellTexts(const std::array<std::string, 9>& cells);

}  // namespace zifrel::testing
