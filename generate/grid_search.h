#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/search_end.h"
#include "core/stop_flag.h"
#include "generate/divisor_table.h"
#include "generate/grid_plan.h"
#include "generate/last_step.h"
#include "generate/subtractive_rng.h"
#include "schema/schema_lines.h"

namespace zifrel {

// The randomised search for a number grid: nine distinct numbers 1..M that
// satisfy the six equations, at least one of them above M div 10. One
// attempt draws four value orders, takes a plan and searches; the random
// orders make repeated attempts find different grids.
class GridSearch {
 public:
  static constexpr int kLargestMax = 9999;
  // With maximum 9999 an attempt is given up once it has done this much
  // work, counted in candidates looked at, each step counting as
  // kStepWork of them: a count, not a clock, so that a seed gives the same
  // Schemas on any machine under any load. With 999 the search is
  // exhaustive and has no limit. Tuned with bench/generator_bench.cpp:
  // nearly every attempt that finds a grid at all finds it within the
  // budget, and no admitted combination of operators starves.
  static constexpr std::int64_t kAttemptWork = 30'000'000;
  static constexpr std::int64_t kStepWork = 11;  // a step costs about as much as eleven candidates

  // The value orders are allocated here, once, for the largest maximum.
  explicit GridSearch(const DivisorTable& divisors);

  // M := max (999 or 9999); fills V0, V1, V2, V3 in that order, each a
  // random arrangement of 1..M: 4·M draws.
  void DrawValueOrders(SubtractiveRng& rng, int max);
  void SetPlan(const GenPlan& plan);

  // kFound with Grid() filled; kNone when these orders give no grid or the
  // attempt's work is used up; kStopped when a stop was requested.
  SearchEnd SearchGrid(StopFlag& stop);
  const NumberGrid& Grid() const { return x_; }

  // Tests: the last step on a grid of their choosing, whose cells that the
  // derived steps compute it fills in. True when the grid passes.
  bool CheckGrid(NumberGrid& grid, StopFlag& stop);

  // Tests: another budget of work per attempt.
  void SetAttemptWork(std::int64_t work) { attemptWork_ = work; }
  // Tests: walk the last free step's values even where the few values that
  // can pass are computed, so that the two ways can be compared.
  void SetWalkLastStep(bool walk) { testWalksLastStep_ = walk; }

 private:
  // How a step of the search ended: go on with the next candidate, a grid
  // was found, or a stop or the used-up work unwinds the search.
  enum class StepEnd { kContinue, kFound, kUnwind };

  StepEnd SearchSeed();
  template <int Level>
  StepEnd SearchStep();
  // The last step, for one grid: the derived steps fill in the cells they
  // compute and check the last equation, then the grid must be distinct and
  // reach above M div 10.
  StepEnd CheckGrid();
  StepEnd TryListedValues(const GenStep<FreeKind>& step, LastValues& values);
  StepEnd TryFreeValue(const GenStep<FreeKind>& step, int v);
  bool Derive(const GenStep<DerivedKind>& step);
  bool Stopping();

  const std::uint32_t* Order(int i) const { return orders_.data() + i * (kLargestMax + 1); }

  const DivisorTable& divisors_;
  std::vector<std::uint32_t> orders_;  // V0..V3, entries 1..M of each
  int max_ = 999;
  GenPlan plan_{};
  bool planWalksLastStep_ = false;  // the plan's last step takes divisor pairs
  std::vector<std::int32_t> positions_ = std::vector<std::int32_t>(kLargestMax + 1);  // of each value in V1
  bool positionsReady_ = false;
  bool testWalksLastStep_ = false;
  NumberGrid x_{};
  StopFlag* stop_ = nullptr;
  bool stopped_ = false;    // a poll saw the stop: the search is unwinding
  bool exhausted_ = false;  // the work is used up: the search is unwinding
  std::int64_t work_ = 0;
  std::int64_t attemptWork_ = kAttemptWork;
};

}  // namespace zifrel
