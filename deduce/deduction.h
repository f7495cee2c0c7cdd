#pragma once

#include <array>

#include "core/stop_flag.h"
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
  DeductionOutcome Deduce(const CellTexts& cells, const OpCodes& ops, StopFlag& stop);

  // After kDeduced.
  const DeductionPuzzle& Puzzle() const { return puzzle_; }
  int StepCount() const { return stepCount_; }
  const Step& StepAt(int i) const { return steps_[i]; }
  int Level() const { return level_; }

  // After every outcome but kIncomplete, kTooManySymbols and kStopped: the
  // solutions SolveSchema found (at most ten).
  const SchemaSolver& Solver() const { return solver_; }

 private:
  SchemaSolver solver_;
  EquationSearch search_;
  DeductionPuzzle puzzle_;
  std::array<Step, kMaxSteps> steps_{};
  int stepCount_ = 0;
  int level_ = 0;
};

// The level of a Schema from the steps that solve it: set by the hardest
// technique they need and how often they need it.
int LevelOfSteps(const Step* steps, int count);

}  // namespace zifrel
