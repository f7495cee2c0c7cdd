// The techniques that try the ways an equation can hold: on its last digits,
// whole, and a row and a column together through the cell they share.
#include "deduce/techniques.h"

namespace zifrel {
namespace {

// How many digits each technique may try before it gives up. They keep each
// technique to what a patient person does by hand, and so they set the
// levels: with these, generated 999 Schemas spread over all five. Measured
// with BM_GradeGenerated in bench/deduction_bench.cpp, which counts the
// levels; rerun it when they change.
constexpr long kLastDigitsBudget = 100;
constexpr long kCombinationsBudget = 300;
constexpr long kPairBudget = 500;

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
int LastDigitsLimit(const DeductionPuzzle& puzzle, int equation) {
  return puzzle.cells[puzzle.equations[equation].result].length;
}

}  // namespace

// Units first, in every equation, then two digits, and so on.
bool FindLastDigits(DeductionContext& context, CandidateState& state, Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  for (int columns = 1; columns <= kCellMaxChars; ++columns) {
    for (int e = 0; e < kOperatorCount; ++e) {
      const std::uint32_t bit = 1u << (4 * e + columns - 1);
      if (!(state.unseen[kLastDigitsFamily] & bit)) continue;
      state.unseen[kLastDigitsFamily] &= ~bit;
      if (columns > LastDigitsLimit(puzzle, e) || columns > EquationLength(puzzle, e)) continue;
      EquationSearch::Request request{e, columns, false, kLastDigitsBudget};
      if (!context.search.Run(puzzle, state.masks, request)) continue;
      const SymbolMask symbols = [&] {
        SymbolMask m = 0;
        const EquationScope& scope = puzzle.scopes[e][columns];
        for (int i = 0; i < scope.count; ++i) m |= static_cast<SymbolMask>(1u << scope.symbols[i]);
        return m;
      }();
      if (!RuleOutUnsupported(puzzle, state, context.search, symbols, step)) continue;
      state.unseen[kLastDigitsFamily] |= bit;  // the step may leave more to find here
      step.technique = Technique::kLastDigits;
      step.equation = static_cast<std::int8_t>(e);
      step.columns = static_cast<std::uint8_t>(columns);
      return true;
    }
  }
  return false;
}

bool FindCombinations(DeductionContext& context, CandidateState& state, Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  for (int e = 0; e < kOperatorCount; ++e) {
    if (!(state.unseen[kCombinationsFamily] & (1u << e))) continue;
    state.unseen[kCombinationsFamily] &= ~(1u << e);
    EquationSearch::Request request{e, EquationLength(puzzle, e), true, kCombinationsBudget};
    if (!context.search.Run(puzzle, state.masks, request)) continue;
    if (!RuleOutUnsupported(puzzle, state, context.search, puzzle.equationSymbols[e], step)) continue;
    step.technique = Technique::kCombinations;
    step.equation = static_cast<std::int8_t>(e);
    KeepSolutions(context.search, step.search);
    return true;
  }
  return false;
}

bool FindTwoEquations(DeductionContext& context, CandidateState& state, Step& step) {
  const DeductionPuzzle& puzzle = context.puzzle;
  for (int p = 0; p < kPairCount; ++p) {
    if (!(state.unseen[kPairFamily] & (1u << p))) continue;
    state.unseen[kPairFamily] &= ~(1u << p);
    const std::array<int, 2> equations = {PairRow(p), PairColumn(p)};
    std::array<CellValueSet, 2> values;
    bool complete = true;
    for (int i = 0; i < 2 && complete; ++i) {
      const int e = equations[i];
      EquationSearch::Request request{e, EquationLength(puzzle, e), true, kPairBudget, PairCell(p)};
      complete = context.search.Run(puzzle, state.masks, request);
      values[i] = context.search.Values();
    }
    if (!complete) continue;
    const CellValueSet common = values[0] & values[1];
    if (common == values[0] && common == values[1]) continue;
    if (common.none()) {
      step.contradiction = Contradiction::kSharedCell;
    } else {
      bool found = false;
      for (int e : equations) {
        EquationSearch::Request request{e, EquationLength(puzzle, e), true, kPairBudget, PairCell(p), &common};
        context.search.Run(puzzle, state.masks, request);
        found |= RuleOutUnsupported(puzzle, state, context.search, puzzle.equationSymbols[e], step);
      }
      if (!found) continue;
    }
    state.unseen[kPairFamily] |= 1u << p;
    step.technique = Technique::kTwoEquations;
    step.pair = static_cast<std::int8_t>(p);
    KeepValues(values[0], step.search.valueCount[0], step.search.values[0]);
    KeepValues(values[1], step.search.valueCount[1], step.search.values[1]);
    KeepValues(common, step.search.valueCount[2], step.search.values[2]);
    return true;
  }
  return false;
}

bool FindStep(DeductionContext& context, CandidateState& state, Step& step, Technique hardest) {
  const DeductionPuzzle& puzzle = context.puzzle;
  step = Step{};
  const auto upTo = [&](Technique t) { return static_cast<int>(t) <= static_cast<int>(hardest); };
  return FindLeadingDigits(puzzle, state, step) || FindLengths(puzzle, state, step) ||
         FindOnlyDigit(puzzle, state, step) || FindOnlyPlace(puzzle, state, step) ||
         FindLastDigits(context, state, step) || FindDigitGroup(puzzle, state, step) ||
         (upTo(Technique::kRanges) && FindRanges(puzzle, state, step)) ||
         (upTo(Technique::kCombinations) && FindCombinations(context, state, step)) ||
         (upTo(Technique::kTwoEquations) && FindTwoEquations(context, state, step));
}

}  // namespace zifrel
