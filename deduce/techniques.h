#pragma once

#include "deduce/candidate_state.h"
#include "deduce/deduction_puzzle.h"
#include "deduce/deduction_step.h"
#include "deduce/equation_search.h"

namespace zifrel {

// What the techniques work with besides the state: the puzzle, and the
// search they share for trying the ways an equation holds.
struct DeductionContext {
  const DeductionPuzzle& puzzle;
  EquationSearch& search;
};

// The most letters still open that the last digits, the combinations and
// two equations try every digit of: a person tries a few letters' digits
// by hand, not seven. Each is part of what the technique is, not a budget,
// so that an easier technique never gives up where it would succeed.
inline constexpr int kLastDigitsOpen = 3;
inline constexpr int kEasyLastDigitsOpen = 2;  // up to this many, the last digits are level 1
inline constexpr int kCombinationsOpen = 4;

// Each Find looks for one step of its technique in the state and, when it
// finds one, fills `step` and returns true. The step may be a contradiction,
// which only a state inside a trial can meet. Each rules out only digits that
// no solution of the Schema, under the state's own assumptions, gives.

// Digits alone (digit_techniques.cpp).
bool FindLeadingDigits(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindOnlyPlace(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindDigitGroup(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindIdentity(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool IdentityOn(const DeductionPuzzle& puzzle, const CandidateState& state, int equation, Step& step);

// The sizes of the numbers (number_ranges.cpp).
bool FindLengths(const DeductionPuzzle& puzzle, CandidateState& state, Step& step);
bool FindRanges(const DeductionPuzzle& puzzle, CandidateState& state, Step& step);

// The ways the equations hold (equation_techniques.cpp).
bool FindLastDigits(DeductionContext& context, CandidateState& state, Step& step, int fewest, int most, int mostOpen);
bool FindCombinations(DeductionContext& context, CandidateState& state, Step& step);
bool FindTwoEquations(DeductionContext& context, CandidateState& state, Step& step);

// The easiest step any technique of levels up to `level` (1..3) finds.
bool FindStep(DeductionContext& context, CandidateState& state, Step& step, int level = 3);

// Whether a step (not a trial) taken in some state follows in `state` too:
// its technique, on its own equation, letter or digits, rules out at least
// the digits of the step that `state` still allows, or meets the same
// contradiction. `found`, when given, is the step taken again in `state`.
bool StepFollows(DeductionContext& context, const CandidateState& state, const Step& step, Step* found = nullptr);

// The bounds check of one letter in one equation, for StepFollows and the
// ranges: rules out each digit of `symbol` that makes the equation too
// large or too small; `lengthsOnly` bounds the other letters by the
// lengths alone.
bool BoundLetter(const DeductionPuzzle& puzzle, const CandidateState& state, int equation, int symbol, bool lengthsOnly,
                 Step& step);

}  // namespace zifrel
