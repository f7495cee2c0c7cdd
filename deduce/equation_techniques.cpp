// The techniques that try the ways an equation can hold: on its last digits,
// whole, and a row and a column together through the cell they share.
#include <climits>

#include "deduce/techniques.h"

namespace zifrel {
namespace {

// The searches below are bounded by how many letters are open, not by a
// count of digits tried.
constexpr long kUnbounded = LONG_MAX;

int OpenCount(const CandidateState& state, SymbolMask symbols) {
  return std::popcount(static_cast<unsigned>(symbols & ~state.settled));
}

SymbolMask ScopeSymbols(const EquationScope& scope) {
  SymbolMask m = 0;
  for (int i = 0; i < scope.count; ++i) m |= static_cast<SymbolMask>(1u << scope.symbols[i]);
  return m;
}

// Fills the step's rule-outs from what the search found; true when it rules
// out anything, or finds the equation cannot hold.
bool RuleOutUnsupported(const DeductionPuzzle& puzzle, const CandidateState& state, const EquationSearch& search,
                        SymbolMask symbols, Step& step) {
  if (search.SolutionCount() == 0) {
    step.contradiction = Contradiction::kEquation;
    return true;
  }
  bool found = false;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (!(symbols & (1u << s))) continue;
    step.ruledOut[s] |= state.masks[s] & static_cast<DigitMask>(~search.Supported(s));
    found |= step.ruledOut[s] != 0;
  }
  return found;
}

void KeepSolutions(const EquationSearch& search, SearchDetail& detail) {
  detail.solutionCount = search.SolutionCount();
  for (int i = 0; i < search.KeptSolutions(); ++i) detail.solutions[i] = search.Solution(i);
}

// The first few values of a set, and how many there are.
void KeepValues(const CellValueSet& values, int& count, std::array<std::int32_t, kShownValues>& first) {
  count = static_cast<int>(values.count());
  int kept = 0;
  for (std::size_t v = 0; v < values.size() && kept < kShownValues; ++v) {
    if (values.test(v)) first[kept++] = static_cast<std::int32_t>(v);
  }
}

// The last k digits of a product or a sum follow from the last k digits of
// its operands, so they can be checked alone, up to the length of the
// result. What lies beyond it (the carry must vanish) is for the lengths and
// the ranges to tell.
bool LastDigitsApply(const DeductionPuzzle& puzzle, const CandidateState& state, int e, int columns, int mostOpen) {
  if (columns > puzzle.cells[puzzle.equations[e].result].length || columns > EquationLength(puzzle, e)) return false;
  return columns == 1 || OpenCount(state, ScopeSymbols(puzzle.scopes[e][columns])) <= mostOpen;
}

bool LastDigitsOn(DeductionContext& context, const CandidateState& state, int e, int columns, int mostOpen,
                  Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  if (!LastDigitsApply(puzzle, state, e, columns, mostOpen)) return false;
  context.search.Run(puzzle, state.masks, {e, columns, false, kUnbounded});
  if (!RuleOutUnsupported(puzzle, state, context.search, ScopeSymbols(puzzle.scopes[e][columns]), step)) return false;
  step.technique = Technique::kLastDigits;
  step.equation = static_cast<std::int8_t>(e);
  step.columns = static_cast<std::uint8_t>(columns);
  step.open = static_cast<std::uint8_t>(OpenCount(state, ScopeSymbols(puzzle.scopes[e][columns])));
  KeepSolutions(context.search, step.search);
  return true;
}

bool CombinationsOn(DeductionContext& context, const CandidateState& state, int e, Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  if (OpenCount(state, puzzle.equationSymbols[e]) > kCombinationsOpen) return false;
  context.search.Run(puzzle, state.masks, {e, EquationLength(puzzle, e), true, kUnbounded});
  if (!RuleOutUnsupported(puzzle, state, context.search, puzzle.equationSymbols[e], step)) return false;
  step.technique = Technique::kCombinations;
  step.equation = static_cast<std::int8_t>(e);
  KeepSolutions(context.search, step.search);
  return true;
}

bool TwoEquationsOn(DeductionContext& context, const CandidateState& state, int p, Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  const std::array<int, 2> equations = {PairRow(p), PairColumn(p)};
  for (int e : equations) {
    if (OpenCount(state, puzzle.equationSymbols[e]) > kCombinationsOpen) return false;
  }
  std::array<CellValueSet, 2> values;
  for (int i = 0; i < 2; ++i) {
    const int e = equations[i];
    context.search.Run(puzzle, state.masks, {e, EquationLength(puzzle, e), true, kUnbounded, PairCell(p)});
    values[i] = context.search.Values();
  }
  const CellValueSet common = values[0] & values[1];
  if (common == values[0] && common == values[1]) return false;
  if (common.none()) {
    step.contradiction = Contradiction::kSharedCell;
  } else {
    bool found = false;
    for (int e : equations) {
      context.search.Run(puzzle, state.masks, {e, EquationLength(puzzle, e), true, kUnbounded, PairCell(p), &common});
      found |= RuleOutUnsupported(puzzle, state, context.search, puzzle.equationSymbols[e], step);
    }
    if (!found) return false;
  }
  step.technique = Technique::kTwoEquations;
  step.pair = static_cast<std::int8_t>(p);
  KeepValues(values[0], step.search.valueCount[0], step.search.values[0]);
  KeepValues(values[1], step.search.valueCount[1], step.search.values[1]);
  KeepValues(common, step.search.valueCount[2], step.search.values[2]);
  return true;
}

// Whether `found` rules out at least what `step` does, of what `state`
// still allows, or meets the same contradiction.
bool Covers(const DeductionPuzzle& puzzle, const CandidateState& state, const Step& step, const Step& found) {
  if (step.contradiction != Contradiction::kNone) return found.contradiction != Contradiction::kNone;
  if (found.contradiction != Contradiction::kNone) return true;
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (step.ruledOut[s] & state.masks[s] & ~found.ruledOut[s]) return false;
  }
  return true;
}

}  // namespace

// Units first, in every equation, then two digits, and so on.
bool FindLastDigits(DeductionContext& context, CandidateState& state, Step& step, int fewest, int most, int mostOpen) {
  for (int columns = fewest; columns <= most; ++columns) {
    for (int e = 0; e < kOperatorCount; ++e) {
      const std::uint32_t bit = 1u << (4 * e + columns - 1);
      if (!(state.unseen[kLastDigitsFamily] & bit)) continue;
      if (!LastDigitsOn(context, state, e, columns, mostOpen, step)) {
        // Too many letters open is not seen: a later digit may close one.
        if (LastDigitsApply(context.puzzle, state, e, columns, mostOpen)) {
          state.unseen[kLastDigitsFamily] &= ~bit;
        }
        continue;
      }
      return true;
    }
  }
  return false;
}

bool FindCombinations(DeductionContext& context, CandidateState& state, Step& step) {
  for (int e = 0; e < kOperatorCount; ++e) {
    if (!(state.unseen[kCombinationsFamily] & (1u << e))) continue;
    if (CombinationsOn(context, state, e, step)) return true;
    if (OpenCount(state, context.puzzle.equationSymbols[e]) <= kCombinationsOpen) {
      state.unseen[kCombinationsFamily] &= ~(1u << e);
    }
  }
  return false;
}

bool FindTwoEquations(DeductionContext& context, CandidateState& state, Step& step) {
  for (int p = 0; p < kPairCount; ++p) {
    if (!(state.unseen[kPairFamily] & (1u << p))) continue;
    if (TwoEquationsOn(context, state, p, step)) return true;
    if (OpenCount(state, context.puzzle.equationSymbols[PairRow(p)]) <= kCombinationsOpen &&
        OpenCount(state, context.puzzle.equationSymbols[PairColumn(p)]) <= kCombinationsOpen) {
      state.unseen[kPairFamily] &= ~(1u << p);
    }
  }
  return false;
}

bool FindStep(DeductionContext& context, CandidateState& state, Step& step, int level) {
  const DeductionPuzzle& puzzle = context.puzzle;
  step = Step{};
  if (FindLeadingDigits(puzzle, state, step) || FindLengths(puzzle, state, step) ||
      FindLastDigits(context, state, step, 1, kCellMaxChars, kEasyLastDigitsOpen) ||
      FindIdentity(puzzle, state, step) || FindOnlyPlace(puzzle, state, step)) {
    return true;
  }
  if (level < 2) return false;
  if (FindRanges(puzzle, state, step) || FindDigitGroup(puzzle, state, step)) return true;
  if (level < 3) return false;
  return FindLastDigits(context, state, step, 2, kCellMaxChars, kLastDigitsOpen) ||
         FindCombinations(context, state, step) || FindTwoEquations(context, state, step);
}

bool StepFollows(DeductionContext& context, const CandidateState& state, const Step& step, Step* again) {
  const DeductionPuzzle& puzzle = context.puzzle;
  Step found;
  bool any = false;
  switch (step.technique) {
    case Technique::kLeadingDigits:
      any = FindLeadingDigits(puzzle, state, found);
      break;
    case Technique::kLengths:
    case Technique::kRanges:
      any = BoundLetter(puzzle, state, step.equation, step.range.symbol, step.technique == Technique::kLengths, found);
      break;
    case Technique::kLastDigits:
      any = LastDigitsOn(context, state, step.equation, step.columns,
                         StepLevel(step) == 1 ? kEasyLastDigitsOpen : kLastDigitsOpen, found);
      break;
    case Technique::kIdentity:
      any = IdentityOn(puzzle, state, step.equation, found);
      break;
    case Technique::kOnlyPlace:
    case Technique::kDigitGroup: {
      // The same letters and digits, read again in this state.
      const bool one = step.technique == Technique::kOnlyPlace && step.contradiction == Contradiction::kNone;
      const SymbolMask group = one ? static_cast<SymbolMask>(1u << step.symbol) : step.group;
      DigitMask digits = 0;
      for (unsigned rest = group; rest != 0; rest &= rest - 1) digits |= state.masks[std::countr_zero(rest)];
      const int size = std::popcount(static_cast<unsigned>(group));
      found = step;
      found.ruledOut = {};
      if (step.contradiction != Contradiction::kNone) {
        if (again != nullptr) *again = found;
        return DigitCount(digits) < size;
      }
      if (step.technique == Technique::kDigitGroup && DigitCount(digits) <= size) {
        // Outside the group: the group's digits are theirs.
        for (int s = 0; s < puzzle.symbolCount; ++s) {
          if (!(group & (1u << s))) found.ruledOut[s] = state.masks[s] & digits;
        }
      }
      // Inside the group (or the one letter): the digits only they may have.
      SymbolMask holders = 0;
      for (int s = 0; s < puzzle.symbolCount; ++s) {
        if (!(state.settled & (1u << s)) && (state.masks[s] & step.groupDigits)) {
          holders |= static_cast<SymbolMask>(1u << s);
        }
      }
      if (puzzle.symbolCount == kMaxSymbols && (holders & ~group) == 0) {
        for (unsigned rest = group; rest != 0; rest &= rest - 1) {
          const int s = std::countr_zero(rest);
          found.ruledOut[s] |= state.masks[s] & static_cast<DigitMask>(~step.groupDigits);
        }
      }
      any = true;
      break;
    }
    case Technique::kCombinations:
      any = CombinationsOn(context, state, step.equation, found);
      break;
    case Technique::kTwoEquations:
      any = TwoEquationsOn(context, state, step.pair, found);
      break;
    case Technique::kTrial:
      return false;  // trial.cpp reads trials
  }
  if (!any || !Covers(puzzle, state, step, found)) return false;
  if (again != nullptr) *again = found;
  return true;
}

}  // namespace zifrel
