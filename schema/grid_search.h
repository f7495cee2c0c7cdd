#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/stop_flag.h"
#include "schema/divisor_table.h"
#include "schema/grid_plan.h"
#include "schema/schema_lines.h"
#include "schema/subtractive_rng.h"

namespace zifrel {

// The randomised search for a number grid: nine distinct numbers 1..M that
// satisfy the six equations, at least one of them above M div 10. One
// attempt draws four value orders, takes a plan and searches; the random
// orders make repeated attempts find different grids.
class GridSearch {
 public:
  static constexpr int kLargestMax = 9999;
  // With maximum 9999 an attempt is given up at the first seed poll after
  // this long; with 999 the search is exhaustive and has no limit.
  static constexpr std::int64_t kAttemptLimitMs = 2000;

  // The value orders are allocated here, once, for the largest maximum.
  explicit GridSearch(const DivisorTable& divisors);

  // M := max (999 or 9999); fills V0, V1, V2, V3 in that order, each a
  // random arrangement of 1..M: 4·M draws.
  void DrawValueOrders(SubtractiveRng& rng, int max);
  void SetPlan(const GenPlan& plan);

  // kFound with Grid() filled; kNone when these orders give no grid or the
  // attempt's time is up; kStopped when a stop was requested.
  enum class Outcome { kFound, kNone, kStopped };
  Outcome SearchGrid(StopFlag& stop);
  const NumberGrid& Grid() const { return x_; }

  // The last step of the search, for one grid: the derived steps fill in the
  // cells they compute and check the last equation, then the grid must be
  // distinct and reach above M div 10. The search runs it on the candidates
  // of its last free step; tests run it on a grid of their choosing.
  bool CheckGrid(NumberGrid& grid, StopFlag& stop);

  // Tests: the clock that the time limit reads, in milliseconds.
  using Clock = std::int64_t (*)();
  void SetClock(Clock clock) { clock_ = clock; }
  // Tests: walk the last free step's values even where the one value that
  // can pass is computed, so that the two ways can be compared.
  void SetWalkLastStep(bool walk) { walkLastStep_ = walk; }

 private:
  bool SearchSeed();
  template <int Level>
  bool SearchStep();
  bool CheckGrid();
  bool TryFreeValue(const GenStep<FreeKind>& step, int v);
  bool Derive(const GenStep<DerivedKind>& step);
  bool SeedPollSaysStop();
  bool Stopping();

  const std::uint32_t* Order(int i) const { return orders_.data() + i * (kLargestMax + 1); }

  const DivisorTable& divisors_;
  std::vector<std::uint32_t> orders_;  // V0..V3, entries 1..M of each
  int max_ = 999;
  GenPlan plan_{};
  bool linearLastStep_ = false;
  bool walkLastStep_ = false;
  NumberGrid x_{};
  StopFlag* stop_ = nullptr;
  bool stopped_ = false;  // a poll saw the stop: the search is unwinding
  Clock clock_;
  std::int64_t attemptStart_ = 0;
};

}  // namespace zifrel
