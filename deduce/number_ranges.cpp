// Lengths and ranges: fix one letter at a digit and bound the three numbers
// of an equation by the digits their other letters may be; when even the
// smallest values make one side larger than the other side can be (or the
// largest smaller), the digit is ruled out. The same letter in two numbers
// counts at its digit in both: GE × GD = GBA has no G of 2 or more, as
// 20 × 20 = 400 is more than GBA can be. Lengths knows of the other letters
// only that numbers do not start with 0.

#include <algorithm>

#include "deduce/techniques.h"

namespace zifrel {
namespace {

using Masks = std::array<DigitMask, kMaxSymbols>;

struct Bounds {
  std::int32_t low = 0, high = 0;
};

// With `lengthsOnly`, a number of two or more digits is known only not to
// start with 0 (unless the Schema allows it): AB is at least 10 whatever A
// and B are elsewhere.
Bounds CellBounds(const DeductionPuzzle& puzzle, const PuzzleCell& cell, const Masks& masks, bool lengthsOnly,
                  int symbol, int digit) {
  Bounds b;
  for (int i = 0; i < cell.length; ++i) {
    const int t = cell.symbols[i];
    DigitMask mask = masks[t];
    if (lengthsOnly) mask = i == 0 && cell.length > 1 && !puzzle.leadingZeros ? kAnyDigit & ~1u : kAnyDigit;
    b.low = b.low * 10 + (t == symbol ? digit : LowestDigit(mask));
    b.high = b.high * 10 + (t == symbol ? digit : HighestDigit(mask));
  }
  return b;
}

std::int32_t Combine(EquationForm form, std::int32_t a, std::int32_t b) {
  return form == EquationForm::Sum ? a + b : a * b;
}

bool FindBoundStep(const DeductionPuzzle& puzzle, CandidateState& state, Family family, bool lengthsOnly, Step& step) {
  for (int e = 0; e < kOperatorCount; ++e) {
    if (!(state.unseen[family] & (1u << e))) continue;
    for (unsigned rest = puzzle.equationSymbols[e] & ~state.settled; rest != 0; rest &= rest - 1) {
      if (BoundLetter(puzzle, state, e, std::countr_zero(rest), lengthsOnly, step)) return true;
    }
    state.unseen[family] &= ~(1u << e);
  }
  return false;
}

}  // namespace

bool BoundLetter(const DeductionPuzzle& puzzle, const CandidateState& state, int equation, int symbol, bool lengthsOnly,
                 Step& step) {
  const Masks& masks = state.masks;
  const SchemaEquation& eq = puzzle.equations[equation];
  RangeDetail range;
  range.symbol = static_cast<std::int8_t>(symbol);
  std::array<std::int32_t, 2> tightest = {1 << 30, 1 << 30};
  for (unsigned rest = state.masks[symbol]; rest != 0; rest &= rest - 1) {
    const int d = std::countr_zero(rest);
    const Bounds a = CellBounds(puzzle, puzzle.cells[eq.first], masks, lengthsOnly, symbol, d);
    const Bounds b = CellBounds(puzzle, puzzle.cells[eq.second], masks, lengthsOnly, symbol, d);
    const Bounds c = CellBounds(puzzle, puzzle.cells[eq.result], masks, lengthsOnly, symbol, d);
    const std::array<BoundClause, 2> clauses = {
        BoundClause{static_cast<std::int8_t>(d), 0, a.low, b.low, Combine(eq.form, a.low, b.low), c.high},
        BoundClause{static_cast<std::int8_t>(d), 0, a.high, b.high, Combine(eq.form, a.high, b.high), c.low}};
    for (int k = 0; k < 2; ++k) {
      const std::int32_t margin = k == 0 ? clauses[0].made - clauses[0].result : clauses[1].result - clauses[1].made;
      if (margin <= 0) continue;
      const DigitMask seen = range.clauses[k].digits;
      // The text shows the digit that misses by the least: the others miss
      // by more.
      if (margin < tightest[k]) {
        tightest[k] = margin;
        range.clauses[k] = clauses[k];
      }
      range.clauses[k].digits = static_cast<DigitMask>(seen | (1u << d));
      break;
    }
  }
  const DigitMask ruled = range.clauses[0].digits | range.clauses[1].digits;
  if (ruled == 0) return false;
  step.technique = lengthsOnly ? Technique::kLengths : Technique::kRanges;
  step.equation = static_cast<std::int8_t>(equation);
  step.ruledOut[symbol] = ruled;
  step.range = range;
  if (ruled == state.masks[symbol]) {
    step.contradiction = Contradiction::kEquation;
  }
  return true;
}

bool FindLengths(const DeductionPuzzle& puzzle, CandidateState& state, Step& step) {
  return FindBoundStep(puzzle, state, kLengthsFamily, true, step);
}

bool FindRanges(const DeductionPuzzle& puzzle, CandidateState& state, Step& step) {
  return FindBoundStep(puzzle, state, kRangesFamily, false, step);
}

}  // namespace zifrel
