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

// Each Find looks for one step of its technique in the state and, when it
// finds one, fills `step` and returns true. The step may be a contradiction,
// which only a state inside a trial can meet. Each rules out only digits that
// no solution of the Schema, under the state's own assumptions, gives.

// Digits alone (digit_techniques.cpp).
bool FindLeadingDigits(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindOnlyDigit(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindOnlyPlace(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);
bool FindDigitGroup(const DeductionPuzzle& puzzle, const CandidateState& state, Step& step);

// The sizes of the numbers (number_ranges.cpp).
bool FindLengths(const DeductionPuzzle& puzzle, CandidateState& state, Step& step);
bool FindRanges(const DeductionPuzzle& puzzle, CandidateState& state, Step& step);

// The ways the equations hold (equation_techniques.cpp).
bool FindLastDigits(DeductionContext& context, CandidateState& state, Step& step);
bool FindCombinations(DeductionContext& context, CandidateState& state, Step& step);
bool FindTwoEquations(DeductionContext& context, CandidateState& state, Step& step);

// The easiest step any technique up to `hardest` finds (trials excluded).
bool FindStep(DeductionContext& context, CandidateState& state, Step& step,
              Technique hardest = Technique::kTwoEquations);

}  // namespace zifrel
