#include "deduce/deduction.h"

#include "deduce/candidate_state.h"
#include "deduce/techniques.h"
#include "deduce/trial.h"

namespace zifrel {
namespace {

// A number of two or more digits that starts with 0 in the solution: then
// the Schema is read with leading zeros allowed, as the solver reads it.
bool HasLeadingZero(const DeductionPuzzle& puzzle, const NumberGrid& grid) {
  for (int k = 0; k < kCellCount; ++k) {
    const int length = puzzle.cells[k].length;
    if (length > 1 && grid[k] < kPowersOfTen[length - 1]) return true;
  }
  return false;
}

}  // namespace

DeductionOutcome SchemaDeduction::Deduce(const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                                         std::span<const KnownDigit> known) {
  stepCount_ = 0;
  level_ = 0;
  switch (solver_.SolveSchema(SolveMode::CountOnly, cells, ops, stop)) {
    case SolveOutcome::kIncomplete:
      return DeductionOutcome::kIncomplete;
    case SolveOutcome::kTooManySymbols:
      return DeductionOutcome::kTooManySymbols;
    case SolveOutcome::kStopped:
      return DeductionOutcome::kStopped;
    case SolveOutcome::kSearched:
      break;
  }
  if (solver_.SolutionCount() == 0) return DeductionOutcome::kNoSolution;
  if (solver_.SolutionCount() > 1) return DeductionOutcome::kSeveralSolutions;

  CodeDeductionPuzzle(cells, ops, puzzle_);
  puzzle_.leadingZeros = HasLeadingZero(puzzle_, solver_.Solution(0));
  start_ = StartState(puzzle_);
  const SymbolDigits truth = DigitsOfGrid(puzzle_, solver_.Solution(0));
  for (const KnownDigit& k : known) {
    int s = 0;
    while (s < puzzle_.symbolCount && puzzle_.symbolChars[s] != k.letter) ++s;
    if (s == puzzle_.symbolCount || truth[s] != k.digit) return DeductionOutcome::kWrongKnown;
    RuleOut(puzzle_, start_, s, static_cast<DigitMask>(kAllDigits & ~(1u << k.digit)));
  }
  Settle(puzzle_, start_);
  CandidateState state = start_;
  DeductionContext context{puzzle_, search_};
  TrialSearch trials(context, stop);
  while (!Solved(puzzle_, state) && stepCount_ < kMaxSteps) {
    if (stop.Poll()) return DeductionOutcome::kStopped;
    DeductionStep& step = steps_[stepCount_];
    if (!FindStep(context, state, step)) {
      const SearchEnd end = trials.Find(state, step);
      if (end == SearchEnd::kStopped) return DeductionOutcome::kStopped;
      if (end == SearchEnd::kNone) break;  // not reached: nested deep enough, a wrong digit meets a contradiction
    }
    ApplyStep(puzzle_, state, step);
    ++stepCount_;
  }
  level_ = LevelOfSteps(steps_.data(), stepCount_);
  return DeductionOutcome::kDeduced;
}

}  // namespace zifrel
