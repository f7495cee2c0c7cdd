#pragma once

#include <array>
#include <cstdint>

#include "core/digit_mask.h"
#include "schema/cell_texts.h"
#include "schema/equations.h"
#include "schema/operators.h"
#include "schema/schema_lines.h"
#include "schema/solver.h"

namespace zifrel {

// Bit d: the digit d may still be the symbol's. Bit s of a SymbolMask: symbol s.
using DigitMask = std::uint16_t;
using SymbolMask = std::uint16_t;

// A digit for each symbol, -1 where there is none.
using SymbolDigits = std::array<std::int8_t, kMaxSymbols>;

// Each row and each column shares one cell: pair 3r + c joins row r and
// column c in cell 3r + c.
inline constexpr int kPairCount = 9;
constexpr int PairRow(int pair) { return pair / 3; }
constexpr int PairColumn(int pair) { return 3 + pair % 3; }
constexpr int PairCell(int pair) { return pair; }

struct PuzzleCell {
  int length = 0;
  std::array<std::int8_t, kCellMaxChars> symbols{};  // left to right
};

// The order in which a search over one equation gives its symbols digits:
// column by column from the units, so that the last one, two, ... digits of
// the equation can be checked as soon as they are known. `check[i]`: after
// the i-th symbol, how many last digits to check (0: none yet).
struct EquationScope {
  int count = 0;
  std::array<std::int8_t, kMaxSymbols> symbols{};
  std::array<std::uint8_t, kMaxSymbols> check{};
};

// A Schema as the deduction sees it. Symbols are numbered by their first
// appearance in the cells, c1..c9, left to right, so that the explanation of
// a Schema does not depend on which characters it is written in.
struct DeductionPuzzle {
  int symbolCount = 0;
  std::array<char32_t, kMaxSymbols> symbolChars{};
  std::array<PuzzleCell, kCellCount> cells{};
  OpCodes ops{};
  std::array<SchemaEquation, kOperatorCount> equations{};  // normalised
  std::array<SymbolMask, kOperatorCount> equationSymbols{};
  std::array<std::uint8_t, kMaxSymbols> symbolEquations{};  // bit e: the symbol is in equation e
  SymbolMask leadingSymbols = 0;                            // first characters of the longer cells
  bool leadingZeros = false;                                // a longer number may start with 0
  // Per equation, for 1..4 last digits; the widest is the whole equation.
  std::array<std::array<EquationScope, kCellMaxChars + 1>, kOperatorCount> scopes{};
};

// False for an empty cell or more than ten symbols; SolveSchema refuses
// those Schemas before the deduction sees them.
bool CodeDeductionPuzzle(const CellTexts& cells, const OpCodes& ops, DeductionPuzzle& puzzle);

// The digit of each symbol in a solution.
SymbolDigits DigitsOfGrid(const DeductionPuzzle& puzzle, const NumberGrid& grid);

// The value of a cell's last `lastDigits` digits (0: all of them).
std::int32_t CellValue(const PuzzleCell& cell, const SymbolDigits& digits, int lastDigits = 0);

// The longest of the equation's three cells.
int EquationLength(const DeductionPuzzle& puzzle, int equation);

}  // namespace zifrel
