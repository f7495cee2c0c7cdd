#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/line_sink.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"

namespace zifrel {

using NumberGrid = std::array<std::int32_t, kCellCount>;  // c1..c9 in row order
using CellStrings = std::array<std::string_view, kCellCount>;

inline constexpr int kSchemaLineCount = 5;

// A Schema laid out as the grid: each cell right-aligned in four characters,
// every column operator and "=" under the units of its column. `lead` opens
// every line: nothing on the clipboard, one blank in the output area.
std::array<std::string, kSchemaLineCount> SchemaLines(const CellStrings& cells, const OpCodes& ops,
                                                      std::string_view lead);

// A solution as the reports print it: a line of one blank, then the grid.
void AppendSolutionLines(LineSink& out, const NumberGrid& grid, const OpCodes& ops);

}  // namespace zifrel
