#pragma once

#include <array>
#include <span>

#include "core/stop_flag.h"
#include "deduce/candidate_state.h"
#include "deduce/deduction_puzzle.h"
#include "deduce/deduction_step.h"
#include "deduce/equation_search.h"
#include "schema/cell_texts.h"
#include "schema/operators.h"
#include "schema/solver.h"

namespace zifrel {

enum class DeductionOutcome {
  kDeduced,
  kStopped,
  kIncomplete,      // a cell is empty
  kTooManySymbols,  // more than ten symbols
  kNoSolution,
  kSeveralSolutions,
  kWrongKnown,  // a known digit is not the solution's, or not of a letter of the Schema
};

// A digit the solver already has: `letter` as written in the cells.
struct KnownDigit {
  char32_t letter = 0;
  int digit = 0;
};

// A step rules out at least one digit, or settles a symbol: a hundred digits
// and ten symbols bound the steps of any Schema.
inline constexpr int kMaxSteps = 112;

// The levels 1 "facile" .. 5 "diabolico".
inline constexpr int kLevelCount = 5;

// Solves a Schema as a person does, one step at a time, each step the
// easiest technique that makes progress. Only a Schema with exactly one
// solution is deduced: SolveSchema says first whether it has one. The steps
// end at that solution. One deduction serves any number of Schemas and
// allocates nothing per Schema.
class SchemaDeduction {
 public:
  // With known digits, the steps start from them: each letter given is
  // settled at its digit. They must be the solution's (else kWrongKnown).
  DeductionOutcome Deduce(const CellTexts& cells, const OpCodes& ops, StopFlag& stop,
                          std::span<const KnownDigit> known = {});

  // After kDeduced.
  const DeductionPuzzle& Puzzle() const { return puzzle_; }
  int StepCount() const { return stepCount_; }
  const Step& StepAt(int i) const { return steps_[i]; }
  int Level() const { return level_; }
  // The state the steps start from: every digit possible, known ones fixed.
  const CandidateState& Start() const { return start_; }
  EquationSearch& Search() { return search_; }

  // After every outcome but kIncomplete, kTooManySymbols and kStopped: the
  // solutions SolveSchema found (at most ten).
  const SchemaSolver& Solver() const { return solver_; }

 private:
  SchemaSolver solver_;
  EquationSearch search_;
  DeductionPuzzle puzzle_;
  CandidateState start_;
  std::array<Step, kMaxSteps> steps_{};
  int stepCount_ = 0;
  int level_ = 0;
};

// The level of a Schema from the steps that solve it, each the easiest
// that makes progress: the level of the hardest technique among them. So
// the techniques up to that level solve the Schema, and those below it do
// not.
int LevelOfSteps(const Step* steps, int count);

}  // namespace zifrel
