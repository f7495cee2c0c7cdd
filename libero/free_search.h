#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "libero/evaluator.h"
#include "libero/range_evaluator.h"
#include "libero/search_plan.h"

namespace zifrel::libero {

// How a search ended: it went through every assignment it had to, or a stop
// request ended it early.
enum class SearchEnd : std::uint8_t { kCompleted, kStopped };

// Every assignment of distinct digits to the variables, in the order the
// plan fixes; solutions are reported in that order, and counted in full.
// See SearchPlan for what is tested where.
class FreeSearch {
 public:
  // Plans the tests. Allocates; the search itself does not.
  void Plan(const SearchSetup& setup);

  // Searches, lists the first solutions on `out` and counts them all in
  // `count`, which another thread may read at any time.
  SearchEnd Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count);

  // A search that only has to tell one solution from several may end, as
  // completed, once it has counted `limit` solutions; its count is then at
  // least `limit`. Without a limit every solution is counted.
  void LimitSolutions(std::int32_t limit) { limit_ = limit; }

 private:
  using Sums = std::array<std::int64_t, kMaxForms>;

  // The running sums a step changes, saved as the step begins and put back
  // as it ends, so that the sums above it are as they were.
  class SavedSums {
   public:
    SavedSums(const Step& step, Sums& sums) : step_(step), sums_(sums) {
      for (int t = 0; t < step.termCount; ++t) base_[t] = sums[step.terms[t].form];
    }
    ~SavedSums() {
      for (int t = 0; t < step_.termCount; ++t) sums_[step_.terms[t].form] = base_[t];
    }
    SavedSums(const SavedSums&) = delete;
    SavedSums& operator=(const SavedSums&) = delete;
    std::int64_t Base(int t) const { return base_[t]; }

   private:
    const Step& step_;
    Sums& sums_;
    Sums base_;
  };

  // A test still to come below a node, affine in the digits of the
  // variables left: constant + sum of coef[slot] * digit, compared with 0.
  struct Constraint {
    Operator op;
    std::int64_t constant;
    std::array<std::int64_t, kMaxSuffix> coef;
    std::array<std::int64_t, kMaxSuffix> laterUp;    // by slot: the positive weights after it
    std::array<std::int64_t, kMaxSuffix> laterDown;  // and the negative ones
  };
  struct Affine {
    std::int64_t constant;
    std::array<std::int64_t, kMaxSuffix> coef;
    std::uint32_t stamp;
  };

  // Whether the search ends here: stopped, or done with the solutions it
  // was asked for. The limit, checked where the stop is polled, may let a
  // few more solutions be counted after it is reached.
  bool Halted() { return solutionCount_ >= limit_ || stop_->Poll(); }

  bool Feasible() const;
  SearchEnd Assign(int position, unsigned freeDigits);
  [[gnu::always_inline]] SearchEnd AssignLast(int position, unsigned freeDigits);
  SearchEnd Count(const Walk& walk, int position, unsigned freeDigits);
  RangeVerdict Settle(const Walk& walk, int position, unsigned freeDigits);
  RangeVerdict SettleGraph(const Walk& walk, int position, const DigitRanges& ranges);
  RangeVerdict SettleWide(int relation, const DigitRanges& ranges);
  bool SolveSuffix(const Walk& walk, int position, unsigned freeDigits);
  bool AffineTests(const Walk& walk, int position);
  void EnumerateSuffix(const Walk& walk, int position, int slot, unsigned freeDigits);
  [[gnu::always_inline]] bool Try(const Walk& walk, const Step& step, const SavedSums& saved, int d);
  bool RunTest(const Test& test);
  bool RunInstructions(const Walk& walk, const Step& step);
  [[gnu::always_inline]] void ReportSolution();

  // The intervals of the graph's nodes still to compute below a node of the
  // search; `stamp` tells which belong to the present settling.
  struct NodeRange {
    std::int64_t low;
    std::int64_t high;
    std::uint32_t stamp;
    bool unknown;  // an interval too wide to hold
    bool mayFail;  // an operation on the way may fail
  };

  SearchPlan plan_;
  Sums sums_{};                       // running values of the forms
  std::vector<std::int64_t> values_;  // of the graph's nodes, or kTooWideValue
  std::vector<NodeRange> ranges_;
  std::vector<Affine> affine_;
  struct WideTries {
    std::int32_t tried = 0;
    std::int32_t settled = 0;
  };
  std::vector<WideTries> wideTries_;  // by relation
  std::uint32_t stamp_ = 0;
  int constraintCount_ = 0;
  std::array<Constraint, 2 * kMaxRelations> constraints_{};
  std::array<std::int64_t, 2 * kMaxRelations> partial_{};
  WideScratch wide_ = MakeWideScratch();
  DigitValues digits_ = InitialDigitValues();

  StopFlag* stop_ = nullptr;
  LineSink* out_ = nullptr;
  std::atomic<std::int32_t>* countWord_ = nullptr;
  std::int32_t solutionCount_ = 0;
  std::int32_t limit_ = std::numeric_limits<std::int32_t>::max();
};

}  // namespace zifrel::libero
