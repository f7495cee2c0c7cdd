#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "libero/evaluator.h"
#include "libero/range_evaluator.h"
#include "libero/search_plan.h"

namespace zifrel::libero {

// How a search ended: it went through every assignment it had to, or a stop
// request ended it early.
enum class RunEnd : std::uint8_t { kCompleted, kStopped };  // how a run of the search ended

// Every assignment of distinct digits to the variables, in the order the
// plan fixes; solutions are reported in that order, and counted in full.
// See SearchPlan for what is tested where.
class FreeSearch {
 public:
  // Plans the tests. Allocates; the search itself does not, but for the
  // subtrees a search on several threads shares out (a few hundred at most,
  // made before it starts).
  void Plan(const SearchSetup& setup);

  // Searches, lists the first solutions on `out` and counts them all in
  // `count`, which another thread may read at any time.
  RunEnd Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count);

  // A search that only has to tell one solution from several may end, as
  // completed, once it has counted `limit` solutions; its count is then at
  // least `limit`. Without a limit every solution is counted.
  void LimitSolutions(std::int32_t limit) { limit_ = limit; }

  // How many threads search at most; 1 searches on the calling thread
  // alone. The output and the final count are the same whatever the
  // number.
  void UseThreads(int threads) { threads_ = std::max(threads, 1); }

  FreeSearch() = default;
  FreeSearch(const FreeSearch&) = delete;
  FreeSearch& operator=(const FreeSearch&) = delete;

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
  bool Halted() { return solutionCount_ >= limit_ || (pollsStop_ ? stop_->Poll() : stop_->IsSet()); }

  // A subtree of the listing walk shared out to the threads, and the state
  // above it.
  struct Subtree {
    int position;
    unsigned freeDigits;
    DigitValues digits;
    Sums sums;
    std::vector<std::int64_t> values;
  };
  using SolutionLine = std::array<char, kMaxVariables + 1>;
  // What a thread found in a subtree: its first solutions, in order, and
  // how many it holds. `done` is set once the subtree is searched in full.
  struct SubtreeResult {
    std::int32_t listed = 0;
    std::int32_t count = 0;
    std::array<SolutionLine, kMaxListedSolutions> lines{};
    std::atomic<bool> done{false};
  };

  void Prepare(std::size_t relations);
  int SplitDepth() const;
  void Split(int position, int depth, unsigned freeDigits);
  RunEnd RunShared();
  void StartHelpers(std::vector<std::thread>& running, std::atomic<std::size_t>& next);
  void SearchSubtrees(const FreeSearch& main, std::atomic<std::size_t>& next);
  RunEnd SearchSubtree(const Subtree& subtree, SubtreeResult& result);
  void WriteListed(std::size_t& written, std::int32_t& lines, bool searchEnded);
  [[gnu::always_inline]] void Counted();
  [[gnu::always_inline]] void Publish();

  static bool Feasible(const SearchSetup& setup);
  RunEnd Assign(int position, unsigned freeDigits);
  [[gnu::always_inline]] RunEnd AssignLast(int position, unsigned freeDigits);
  RunEnd Count(const Walk& walk, int position, unsigned freeDigits);
  [[gnu::always_inline]] void CountLast(const Walk& walk, int position, unsigned freeDigits);
  [[gnu::always_inline]] RangeVerdict TrySettle(const Walk& walk, int position, unsigned freeDigits);
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
  void WriteHeader();

  // The intervals of the graph's nodes still to compute below a node of the
  // search; `stamp` tells which belong to the present settling.
  struct NodeRange {
    std::int64_t low;
    std::int64_t high;
    std::uint32_t stamp;
    bool unknown;  // an interval too wide to hold
    bool mayFail;  // an operation on the way may fail
  };

  SearchPlan ownPlan_;
  const SearchPlan* plan_ = &ownPlan_;  // a helper reads its main search's plan
  Sums sums_{};                         // running values of the forms
  std::vector<std::int64_t> values_;    // of the graph's nodes, or kTooWideValue
  std::vector<NodeRange> ranges_;
  std::vector<Affine> affine_;
  struct WideTries {
    std::int32_t tried = 0;
    std::int32_t settled = 0;
  };
  std::vector<WideTries> wideTries_;  // by relation
  struct SettleTries {
    std::int64_t tried = 0;  // as of the last judgement
    std::int64_t settled = 0;
    std::int32_t judgeIn = 0;  // tries to the next judgement
    std::int32_t probeIn = 1;  // nodes to the next try, once not worth it
    bool worth = true;
  };
  std::array<SettleTries, kMaxVariables + 1> settleTries_{};  // by variables left
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

  int threads_ = 1;
  bool pollsStop_ = true;  // false: the stop word is read, the polls left to the main search
  bool shared_ = false;    // the live count is added to by several searches
  std::int32_t published_ = 0;
  SubtreeResult* result_ = nullptr;  // where a shared-out subtree lists its solutions
  std::vector<Subtree> subtrees_;
  std::unique_ptr<SubtreeResult[]> results_;
  std::vector<std::unique_ptr<FreeSearch>> helpers_;
};

}  // namespace zifrel::libero
