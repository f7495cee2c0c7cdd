#include "deduce/deduction_puzzle.h"

#include <algorithm>

namespace zifrel {
namespace {

void BuildScope(const DeductionPuzzle& puzzle, int equation, int columns, EquationScope& scope) {
  const SchemaEquation& eq = puzzle.equations[equation];
  scope = EquationScope{};
  SymbolMask placed = 0;
  for (int column = 1; column <= columns; ++column) {
    for (int cell : {eq.first, eq.second, eq.result}) {
      const PuzzleCell& c = puzzle.cells[cell];
      if (c.length < column) continue;
      const int s = c.symbols[c.length - column];
      if (placed & (1u << s)) continue;
      placed |= static_cast<SymbolMask>(1u << s);
      scope.symbols[scope.count++] = static_cast<std::int8_t>(s);
    }
    // The column is known once its last new symbol has a digit; a column
    // with no new symbol is checked with the one before it.
    scope.check[scope.count - 1] = static_cast<std::uint8_t>(column);
  }
}

}  // namespace

bool CodeDeductionPuzzle(const CellTexts& cells, const OpCodes& ops, DeductionPuzzle& puzzle) {
  puzzle = DeductionPuzzle{};
  puzzle.ops = ops;
  for (int k = 0; k < kCellCount; ++k) {
    const std::u32string_view text = cells.Text(k);
    if (text.empty()) return false;
    PuzzleCell& cell = puzzle.cells[k];
    cell.length = static_cast<int>(text.size());
    for (int i = 0; i < cell.length; ++i) {
      int s = 0;
      while (s < puzzle.symbolCount && puzzle.symbolChars[s] != text[i]) ++s;
      if (s == puzzle.symbolCount) {
        if (s == kMaxSymbols) return false;
        puzzle.symbolChars[puzzle.symbolCount++] = text[i];
      }
      cell.symbols[i] = static_cast<std::int8_t>(s);
    }
    if (cell.length > 1) puzzle.leadingSymbols |= static_cast<SymbolMask>(1u << cell.symbols[0]);
  }
  for (int e = 0; e < kOperatorCount; ++e) {
    puzzle.equations[e] = NormaliseEquation(e, ops[e]);
    for (int cell : kEquationCells[e]) {
      for (int i = 0; i < puzzle.cells[cell].length; ++i) {
        const int s = puzzle.cells[cell].symbols[i];
        puzzle.equationSymbols[e] |= static_cast<SymbolMask>(1u << s);
        puzzle.symbolEquations[s] |= static_cast<std::uint8_t>(1u << e);
      }
    }
    for (int columns = 1; columns <= EquationLength(puzzle, e); ++columns) {
      BuildScope(puzzle, e, columns, puzzle.scopes[e][columns]);
    }
  }
  return true;
}

SymbolDigits DigitsOfGrid(const DeductionPuzzle& puzzle, const NumberGrid& grid) {
  SymbolDigits digits;
  digits.fill(-1);
  for (int k = 0; k < kCellCount; ++k) {
    const PuzzleCell& cell = puzzle.cells[k];
    std::int32_t rest = grid[k];
    for (int i = cell.length - 1; i >= 0; --i, rest /= 10)
      digits[cell.symbols[i]] = static_cast<std::int8_t>(rest % 10);
  }
  return digits;
}

std::int32_t CellValue(const PuzzleCell& cell, const SymbolDigits& digits, int lastDigits) {
  const int start = LastDigitsStart(cell.length, lastDigits);
  std::int32_t value = 0;
  for (int i = start; i < cell.length; ++i) value = value * 10 + digits[cell.symbols[i]];
  return value;
}

int EquationLength(const DeductionPuzzle& puzzle, int equation) {
  int length = 0;
  for (int cell : kEquationCells[equation]) length = std::max(length, puzzle.cells[cell].length);
  return length;
}

}  // namespace zifrel
