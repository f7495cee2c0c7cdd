// The techniques that look at the digits alone (leading digits, and the rule
// that different letters are different digits) and the identities of 0 and 1.
#include <bit>

#include "deduce/techniques.h"

namespace zifrel {
namespace {

constexpr int kLargestGroup = 4;

SymbolMask Unsettled(const DeductionPuzzle& puzzle, const CandidateState& state) {
  return AllSymbols(puzzle) & static_cast<SymbolMask>(~state.settled);
}

// Ten symbols take all ten digits, so every digit belongs to some symbol.
// With fewer symbols a digit may belong to none.
bool EveryDigitUsed(const DeductionPuzzle& puzzle) { return puzzle.symbolCount == kMaxSymbols; }

DigitMask SettledDigits(const DeductionPuzzle& puzzle, const CandidateState& state) {
  DigitMask digits = 0;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (state.settled & (1u << s)) digits |= state.masks[s];
  }
  return digits;
}

bool TooFewDigits(SymbolMask group, Step& step) {
  step.contradiction = Contradiction::kTooFewDigits;
  step.group = group;
  return true;
}

}  // namespace

bool FindLeadingDigits(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step) {
  if (puzzle.leadingZeros) return false;
  bool found = false;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if ((puzzle.leadingSymbols & (1u << s)) && (state.masks[s] & 1u)) {
      step.ruledOut[s] = 1;
      found = true;
    }
  }
  step.technique = Technique::kLeadingDigits;
  return found;
}

bool FindOnlyPlace(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step) {
  if (!EveryDigitUsed(puzzle)) return false;
  const DigitMask placed = SettledDigits(puzzle, state);
  const SymbolMask open = Unsettled(puzzle, state);
  for (int d = 0; d <= 9; ++d) {
    if (placed & (1u << d)) continue;
    SymbolMask holders = 0;
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if ((open & (1u << s)) && (state.masks[s] & (1u << d))) holders |= static_cast<SymbolMask>(1u << s);
    }
    if (holders == 0) {
      step.technique = Technique::kOnlyPlace;
      step.groupDigits = static_cast<DigitMask>(1u << d);
      return TooFewDigits(open, step);
    }
    if (std::popcount(static_cast<unsigned>(holders)) != 1) continue;
    const int s = std::countr_zero(static_cast<unsigned>(holders));
    if (DigitCount(state.masks[s]) == 1) continue;  // settled already by the step that left it one
    step.technique = Technique::kOnlyPlace;
    step.symbol = static_cast<std::int8_t>(s);
    step.groupDigits = static_cast<DigitMask>(1u << d);
    step.ruledOut[s] = state.masks[s] & static_cast<DigitMask>(~(1u << d));
    return true;
  }
  return false;
}

// A group of k symbols whose digits, together, are only k: those k digits
// are theirs, and no other symbol has them. With ten symbols, also k digits
// that only k symbols may have: those symbols have no other digit.
bool FindDigitGroup(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step) {
  step.technique = Technique::kDigitGroup;
  const SymbolMask open = Unsettled(puzzle, state);
  const int openCount = std::popcount(static_cast<unsigned>(open));
  for (int size = 2; size <= kLargestGroup && size < openCount; ++size) {
    for (unsigned group = open; group != 0; group = (group - 1) & open) {
      if (std::popcount(group) != size) continue;
      DigitMask digits = 0;
      for (unsigned rest = group; rest != 0; rest &= rest - 1) digits |= state.masks[std::countr_zero(rest)];
      if (DigitCount(digits) < size) return TooFewDigits(static_cast<SymbolMask>(group), step);
      if (DigitCount(digits) > size) continue;
      bool found = false;
      for (unsigned rest = open & ~group; rest != 0; rest &= rest - 1) {
        const int s = std::countr_zero(rest);
        step.ruledOut[s] = state.masks[s] & digits;
        found |= step.ruledOut[s] != 0;
      }
      if (found) {
        step.group = static_cast<SymbolMask>(group);
        step.groupDigits = digits;
        return true;
      }
    }
  }
  if (!EveryDigitUsed(puzzle)) return false;
  const DigitMask free = static_cast<DigitMask>(kAnyDigit & ~SettledDigits(puzzle, state));
  for (int size = 2; size <= kLargestGroup && size < openCount; ++size) {
    for (unsigned digits = free; digits != 0; digits = (digits - 1) & free) {
      if (std::popcount(digits) != size) continue;
      SymbolMask group = 0;
      for (unsigned rest = open; rest != 0; rest &= rest - 1) {
        const int s = std::countr_zero(rest);
        if (state.masks[s] & digits) group |= static_cast<SymbolMask>(1u << s);
      }
      // Fewer symbols than digits: the others are left more symbols than
      // the digits that remain.
      if (std::popcount(static_cast<unsigned>(group)) < size) {
        return TooFewDigits(static_cast<SymbolMask>(open & ~group), step);
      }
      if (std::popcount(static_cast<unsigned>(group)) > size) continue;
      bool found = false;
      for (unsigned rest = group; rest != 0; rest &= rest - 1) {
        const int s = std::countr_zero(rest);
        step.ruledOut[s] = state.masks[s] & static_cast<DigitMask>(~digits);
        found |= step.ruledOut[s] != 0;
      }
      if (found) {
        step.group = group;
        step.groupDigits = static_cast<DigitMask>(digits);
        return true;
      }
    }
  }
  return false;
}

namespace {

bool SameSymbols(const PuzzleCell& a, const PuzzleCell& b, int count) {
  for (int i = 0; i < count; ++i) {
    if (a.symbols[i] != b.symbols[i]) return false;
  }
  return true;
}

// x × C = x, x × C0 = x0, x × C00 = x00 with the 0s known: C = 1, as x is
// not 0. `x` and `factor` are the two operands either way round.
bool TimesOne(const DeductionPuzzle& puzzle, const CandidateState& state, int x, int factor, int result,
              IdentityDetail& detail) {
  const PuzzleCell& xc = puzzle.cells[x];
  const PuzzleCell& fc = puzzle.cells[factor];
  const PuzzleCell& rc = puzzle.cells[result];
  const int zeros = fc.length - 1;
  if (rc.length != xc.length + zeros || !SameSymbols(xc, rc, xc.length)) return false;
  for (int i = 1; i < fc.length; ++i) {
    const int z = fc.symbols[i];
    if (rc.symbols[xc.length + i - 1] != z || state.masks[z] != 1u) return false;
  }
  // x is not 0: it has two or more digits that do not start with 0, or its
  // one letter is not 0.
  const bool nonZero =
      xc.length > 1 ? !puzzle.leadingZeros || !(state.masks[xc.symbols[0]] & 1u) : !(state.masks[xc.symbols[0]] & 1u);
  if (!nonZero) return false;
  detail =
      IdentityDetail{static_cast<std::int8_t>(x), static_cast<std::int8_t>(factor), static_cast<std::uint8_t>(zeros)};
  return true;
}

}  // namespace

bool IdentityOn(const DeductionPuzzle& puzzle, const CandidateState& state, int e, Step& step) {
  const SchemaEquation& eq = puzzle.equations[e];
  IdentityDetail detail;
  int digit = -1;
  if (eq.form == EquationForm::Product) {
    if (TimesOne(puzzle, state, eq.first, eq.second, eq.result, detail) ||
        TimesOne(puzzle, state, eq.second, eq.first, eq.result, detail)) {
      digit = 1;
    }
  } else {
    // x + C = x: C = 0.
    for (const auto& [x, c] : {std::pair{eq.first, eq.second}, std::pair{eq.second, eq.first}}) {
      const PuzzleCell& xc = puzzle.cells[x];
      if (digit < 0 && puzzle.cells[c].length == 1 && puzzle.cells[eq.result].length == xc.length &&
          SameSymbols(xc, puzzle.cells[eq.result], xc.length)) {
        detail = IdentityDetail{static_cast<std::int8_t>(x), static_cast<std::int8_t>(c), 0};
        digit = 0;
      }
    }
  }
  if (digit < 0) return false;
  const int letter = puzzle.cells[detail.factor].symbols[0];
  const DigitMask others = state.masks[letter] & static_cast<DigitMask>(~(1u << digit));
  if (others == 0) return false;
  step.technique = Technique::kIdentity;
  step.equation = static_cast<std::int8_t>(e);
  step.identity = detail;
  step.ruledOut[letter] = others;
  if (others == state.masks[letter]) step.contradiction = Contradiction::kEquation;
  return true;
}

bool FindIdentity(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step) {
  for (int e = 0; e < kOperatorCount; ++e) {
    if (IdentityOn(puzzle, state, e, step)) return true;
  }
  return false;
}

}  // namespace zifrel
