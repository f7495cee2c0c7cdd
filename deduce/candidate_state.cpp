#include "deduce/candidate_state.h"

namespace zifrel {

CandidateState StartState(const DeductionPuzzle& puzzle) {
  CandidateState state;
  for (int s = 0; s < puzzle.symbolCount; ++s) state.masks[s] = kAnyDigit;
  state.unseen.fill(0x3F);
  state.unseen[kLastDigitsFamily] = 0xFFFFFF;
  state.unseen[kPairFamily] = (1u << kPairCount) - 1;
  return state;
}

void RuleOut(const DeductionPuzzle& puzzle, CandidateState& state, int symbol, DigitMask digits) {
  if ((state.masks[symbol] & digits) == 0) return;
  state.masks[symbol] &= static_cast<DigitMask>(~digits);
  // Lengths depend on no digit: once seen, they stay seen.
  const unsigned equations = puzzle.symbolEquations[symbol];
  for (int e = 0; e < kOperatorCount; ++e) {
    if (equations & (1u << e)) state.unseen[kLastDigitsFamily] |= 0xFu << (4 * e);
  }
  state.unseen[kRangesFamily] |= equations;
  state.unseen[kCombinationsFamily] |= equations;
  for (int p = 0; p < kPairCount; ++p) {
    if (equations & ((1u << PairRow(p)) | (1u << PairColumn(p)))) state.unseen[kPairFamily] |= 1u << p;
  }
}

bool ApplyStep(const DeductionPuzzle& puzzle, CandidateState& state, const Step& step) {
  for (int s = 0; s < puzzle.symbolCount; ++s) {
    if (step.ruledOut[s] != 0) RuleOut(puzzle, state, s, step.ruledOut[s]);
  }
  return Settle(puzzle, state);
}

bool Settle(const DeductionPuzzle& puzzle, CandidateState& state) {
  // A letter left one digit takes it from the others, which may leave
  // another letter one digit: until none is.
  for (bool changed = true; changed;) {
    changed = false;
    for (int s = 0; s < puzzle.symbolCount; ++s) {
      if (state.masks[s] == 0) return false;
      if ((state.settled & (1u << s)) || DigitCount(state.masks[s]) != 1) continue;
      state.settled |= static_cast<SymbolMask>(1u << s);
      for (int t = 0; t < puzzle.symbolCount; ++t) {
        if (t != s) RuleOut(puzzle, state, t, state.masks[s]);
      }
      changed = true;
    }
  }
  return true;
}

}  // namespace zifrel
