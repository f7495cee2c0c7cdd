#include "schema/schema_lines.h"

#include "core/utf8.h"

namespace zifrel {
namespace {

constexpr std::size_t kFieldWidth = 4;

void AppendField(std::string& line, std::string_view text) {
  const std::size_t width = CodePointCount(text);
  if (width < kFieldWidth) line.append(kFieldWidth - width, ' ');
  line.append(text);
}

std::string RowLine(std::string_view lead, std::string_view a, OpCode op, std::string_view b, std::string_view r) {
  std::string line(lead);
  AppendField(line, a);
  line.append(" ").append(OperatorGlyph(op)).append(" ");
  AppendField(line, b);
  line.append(" = ");
  AppendField(line, r);
  return line;
}

}  // namespace

std::array<std::string, kSchemaLineCount> SchemaLines(const CellStrings& c, const OpCodes& o, std::string_view lead) {
  std::string columns(lead);
  columns.append("   ").append(OperatorGlyph(o[3]));
  columns.append("      ").append(OperatorGlyph(o[4]));
  columns.append("      ").append(OperatorGlyph(o[5]));
  return {RowLine(lead, c[0], o[0], c[1], c[2]), std::move(columns), RowLine(lead, c[3], o[1], c[4], c[5]),
          std::string(lead) + "   =      =      =", RowLine(lead, c[6], o[2], c[7], c[8])};
}

void AppendSolutionLines(LineSink& out, const NumberGrid& grid, const OpCodes& ops) {
  std::array<std::string, kCellCount> numbers;
  CellStrings cells;
  for (int k = 0; k < kCellCount; ++k) {
    numbers[k] = std::to_string(grid[k]);
    cells[k] = numbers[k];
  }
  out.AppendLine(" ");
  for (const std::string& line : SchemaLines(cells, ops, " ")) out.AppendLine(line);
}

}  // namespace zifrel
