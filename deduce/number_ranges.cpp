// Lengths and ranges: each number lies between the smallest and the largest
// value its digits allow; an equation bounds each of its numbers by the
// bounds of the other two, and a digit that would put a number outside its
// bounds is ruled out. Lengths is the same reasoning with nothing known but
// how long the numbers are.
#include <algorithm>

#include "deduce/techniques.h"

namespace zifrel {
namespace {

using Masks = std::array<DigitMask, kMaxSymbols>;

struct Bounds {
  std::int32_t low = 0, high = 0;
};

Bounds CellBounds(const PuzzleCell& cell, const Masks& masks) {
  Bounds b;
  for (int i = 0; i < cell.length; ++i) {
    b.low = b.low * 10 + LowestDigit(masks[cell.symbols[i]]);
    b.high = b.high * 10 + HighestDigit(masks[cell.symbols[i]]);
  }
  return b;
}

// The bounds an equation puts on one of its numbers: `target` 0 first,
// 1 second, 2 result, in the normalised form. A bound that the equation does
// not give (a quotient by a number that may be 0) stays unset.
RangeDetail Narrow(EquationForm form, int target, const std::array<Bounds, 3>& b) {
  RangeDetail r;
  const Bounds& f = b[0];
  const Bounds& s = b[1];
  const Bounds& res = b[2];
  const Bounds& other = target == 0 ? s : f;  // the operand that is not the target
  r.upper = r.lower = true;
  if (form == EquationForm::Sum) {
    if (target == 2) {
      r.high = f.high + s.high, r.highOperands = {f.high, s.high};
      r.low = f.low + s.low, r.lowOperands = {f.low, s.low};
    } else {
      r.high = res.high - other.low, r.highOperands = {res.high, other.low};
      r.low = res.low - other.high, r.lowOperands = {res.low, other.high};
    }
  } else if (target == 2) {
    r.high = f.high * s.high, r.highOperands = {f.high, s.high};
    r.low = f.low * s.low, r.lowOperands = {f.low, s.low};
  } else {
    r.upper = other.low > 0;
    if (r.upper) r.high = res.high / other.low, r.highOperands = {res.high, other.low};
    r.lower = other.high > 0;
    if (r.lower) r.low = (res.low + other.high - 1) / other.high, r.lowOperands = {res.low, other.high};
  }
  return r;
}

// Rules out each digit that puts the target cell above or below the bounds,
// the cell's other digits taken as small (large) as `boundMasks` allow.
// Returns true when a digit was ruled out; `step.contradiction` is set when
// a symbol of the cell has no digit left.
bool RuleOutByBounds(const DeductionPuzzle& puzzle, const Masks& boundMasks, const CandidateState& state, int cellIndex,
                     RangeDetail& range, Step& step) {
  const PuzzleCell& cell = puzzle.cells[cellIndex];
  bool usedUpper = false, usedLower = false;
  for (int i = 0; i < cell.length; ++i) {
    const int s = cell.symbols[i];
    for (unsigned rest = state.masks[s] & ~step.ruledOut[s]; rest != 0; rest &= rest - 1) {
      const int d = std::countr_zero(rest);
      std::int32_t smallest = 0, largest = 0;
      for (int j = 0; j < cell.length; ++j) {
        const int t = cell.symbols[j];
        smallest = smallest * 10 + (t == s ? d : LowestDigit(boundMasks[t]));
        largest = largest * 10 + (t == s ? d : HighestDigit(boundMasks[t]));
      }
      const bool tooLarge = range.upper && smallest > range.high;
      const bool tooSmall = range.lower && largest < range.low;
      if (!tooLarge && !tooSmall) continue;
      step.ruledOut[s] |= static_cast<DigitMask>(1u << d);
      usedUpper |= tooLarge;
      usedLower |= tooSmall && !tooLarge;
    }
    if (step.ruledOut[s] == state.masks[s]) step.contradiction = Contradiction::kEquation;
  }
  range.upper = usedUpper;
  range.lower = usedLower;
  range.cell = static_cast<std::int8_t>(cellIndex);
  return usedUpper || usedLower;
}

bool FindBoundStep(const DeductionPuzzle& puzzle, const Masks& boundMasks, CandidateState& state, Family family,
                   Technique technique, Step& step) {
  for (int e = 0; e < kOperatorCount; ++e) {
    if (!(state.unseen[family] & (1u << e))) continue;
    const SchemaEquation& eq = puzzle.equations[e];
    const std::array<int, 3> cells = {eq.first, eq.second, eq.result};
    std::array<Bounds, 3> bounds;
    for (int i = 0; i < 3; ++i) bounds[i] = CellBounds(puzzle.cells[cells[i]], boundMasks);
    for (int target : {2, 0, 1}) {
      RangeDetail range = Narrow(eq.form, target, bounds);
      if (!RuleOutByBounds(puzzle, boundMasks, state, cells[target], range, step)) continue;
      step.technique = technique;
      step.equation = static_cast<std::int8_t>(e);
      step.range = range;
      return true;
    }
    state.unseen[family] &= ~(1u << e);
  }
  return false;
}

}  // namespace

bool FindLengths(const DeductionPuzzle& puzzle, CandidateState& state, Step& step) {
  Masks lengthMasks{};
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    const bool leading = !puzzle.leadingZeros && (puzzle.leadingSymbols & (1u << s));
    lengthMasks[s] = leading ? kAnyDigit & ~1u : kAnyDigit;
  }
  return FindBoundStep(puzzle, lengthMasks, state, kLengthsFamily, Technique::kLengths, step);
}

bool FindRanges(const DeductionPuzzle& puzzle, CandidateState& state, Step& step) {
  return FindBoundStep(puzzle, state.masks, state, kRangesFamily, Technique::kRanges, step);
}

}  // namespace zifrel
