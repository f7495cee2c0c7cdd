#include "libero/free_search.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>
#include <system_error>
#include <thread>

namespace zifrel::libero {
namespace {

// Ranges are tried on a subtree only when this many variables are still to
// get a digit: below that, trying the digits costs less. Measured with
// bench/libero_bench.cpp; rerun it when the tests or the ranges change.
constexpr int kSettleFromRemaining = 2;

// The value of a graph node too wide for 64 bits. A true value that equals
// it is only taken for too wide, which costs an exact evaluation and
// changes no verdict.
constexpr std::int64_t kTooWideValue = std::numeric_limits<std::int64_t>::min();

// Ranges at a given number of variables left are judged every this many
// tries: they go on being tried while their share of settled nodes, times
// the assignments a settled node spares, reaches kSettleCost times the
// variables left (a settling computes the nodes of all of them, on
// intervals); otherwise one node in kSettleProbeEvery still tries them.
// Chosen with bench/libero_bench.cpp: NothingPrunes, where a node seldom
// settles, went from the time of the plain search to about a third of it,
// and the benchmarks where ranges settle kept their times.
constexpr std::int32_t kSettleTriesBeforeJudging = 256;
constexpr std::int64_t kSettleCost = 1;
constexpr std::int32_t kSettleProbeEvery = 64;

// A relation settled on its code past 64 bits is judged after this many
// tries, and kept on while at least one try in kWideSettleRatio settles.
// The first tries are at the top of the search, where a settled verdict
// spares the most; a relation that settles nothing there costs a walk of its
// code per node below for nothing.
constexpr std::int32_t kWideTriesBeforeJudging = 32;
constexpr std::int32_t kWideSettleRatio = 16;

// A search on several threads shares out the subtrees of the listing walk
// below its first few letters: about this many a thread, so that a thread
// that finishes early takes another, none with fewer than
// kSplitFromRemaining letters left; and only where the letters have at
// least kThreadedFromAssignments assignments. Helper threads start once the
// search has run kHelpersAfter, so that a search pruned to a trifle never
// pays for them (a thread starts in about 50 microseconds).
constexpr int kTasksPerThread = 16;
constexpr int kSplitFromRemaining = 5;
constexpr std::int32_t kThreadedFromAssignments = 200000;
constexpr auto kHelpersAfter = std::chrono::microseconds(500);

// A thread that shares the count adds to it every this many solutions.
constexpr std::int32_t kPublishEvery = 4096;

// An affine suffix is counted arithmetically when it has at most this many
// ways to take digits (5! = 120: five letters among their last five
// digits); beyond that, the walk goes one level deeper first. Measured with
// bench/libero_bench.cpp: at 24, TwoFiveDigitWords ran in two thirds of
// the time but SumsOfProducts took 1.7 times as long; at 720 no benchmark
// gained beyond the noise.
constexpr std::int32_t kMaxSuffixArrangements = 120;

// n! / (n - k)!: the ways to give k variables distinct digits out of n.
std::int32_t Arrangements(int n, int k) {
  std::int32_t ways = 1;
  for (int i = 0; i < k; ++i) ways *= n - i;
  return ways;
}

// d^e for the digits d and e.
constexpr std::array<std::array<std::int64_t, 10>, 10> kDigitPowers = [] {
  std::array<std::array<std::int64_t, 10>, 10> powers{};
  for (int d = 0; d < 10; ++d) {
    powers[d][0] = 1;
    for (int e = 1; e < 10; ++e) powers[d][e] = powers[d][e - 1] * d;
  }
  return powers;
}();

int LowestDigit(unsigned digits) { return std::countr_zero(digits); }
int HighestDigit(unsigned digits) { return 31 - std::countl_zero(digits); }

// The one reading of a walk's instructions from `in` to `end`, each handed
// to what the caller computes of it: a letter's digit (node, variable), a
// word (node, its first and end term), an operation or a comparison (node,
// operator, operand nodes). A handler that returns false ends the run, and
// the run returns false.
template <class Digit, class Word, class Operate, class Compare>
[[gnu::always_inline]] inline bool ForEachNode(const Instruction* in, const Instruction* end, Digit digit, Word word,
                                               Operate operate, Compare compare) {
  for (; in != end; ++in) {
    bool goOn = true;
    if (in->code == Instruction::kDigit) {
      goOn = digit(in->node, in->a);
    } else if (in->code == Instruction::kWord) {
      goOn = word(in->node, in->a, in->a + in->b);
    } else if (const Operator op = in->Op(); IsComparison(op)) {
      goOn = compare(in->node, op, in->a, in->b);
    } else {
      goOn = operate(in->node, op, in->a, in->b);
    }
    if (!goOn) return false;
  }
  return true;
}

}  // namespace

void FreeSearch::Plan(const SearchSetup& setup) {
  // Where counting shows that no assignment exists, an empty plan searches
  // nothing, and costs nothing to make.
  ownPlan_ = Feasible(setup) ? PlanSearch(setup) : SearchPlan{};
  plan_ = &ownPlan_;
  Prepare(setup.codes.size());
  helpers_.clear();
}

// The state a search needs beside its plan, sized to it.
void FreeSearch::Prepare(std::size_t relations) {
  const std::span<const NodeGraph::Node> nodes = plan_->graph.Nodes();
  values_.assign(nodes.size(), 0);
  ranges_.assign(nodes.size(), NodeRange{});
  affine_.assign(nodes.size(), Affine{});
  stamp_ = 0;
  wideTries_.assign(relations, WideTries{});
  settleTries_.fill({0, 0, kSettleTriesBeforeJudging, 1, true});
  // Constants never change: computed once, here.
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    if (nodes[n].variables == 0) values_[n] = nodes[n].constant;
  }
}

RunEnd FreeSearch::Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count) {
  out_ = &out;
  stop_ = &stop;
  countWord_ = &count;
  solutionCount_ = 0;
  count.store(0, std::memory_order_relaxed);
  std::copy(plan_->formConstants.begin(), plan_->formConstants.end(), sums_.begin());
  digits_ = InitialDigitValues();
  pollsStop_ = true;
  shared_ = false;
  RunEnd end = RunEnd::kCompleted;
  if (plan_->total > 0) end = SplitDepth() > 0 ? RunShared() : Assign(0, kAllDigits);
  // A search that reached its limit of solutions has done all it was asked.
  if (solutionCount_ >= limit_) end = RunEnd::kCompleted;
  out_ = nullptr;
  stop_ = nullptr;
  countWord_ = nullptr;
  return end;
}

// Whether distinct digits can be given at all: the letters that may not
// take 0 must find room among the nine other digits. Counting tells it
// before a single digit is tried.
bool FreeSearch::Feasible(const SearchSetup& setup) {
  int leading = 0;
  for (int v = 1; v <= setup.total; ++v) leading += setup.table->Leading(v);
  return leading <= std::popcount(kNonZeroDigits) && setup.total <= std::popcount(kAllDigits);
}

// Gives the variable at `position` each free digit in turn, in the order of
// the listed solutions.
RunEnd FreeSearch::Assign(int position, unsigned freeDigits) {
  if (solutionCount_ >= kMaxListedSolutions && position > 0) {
    return Count(plan_->counting[position], position, freeDigits);
  }
  if (Halted()) return RunEnd::kStopped;
  const Walk& walk = plan_->listing;
  // A subtree that ranges show to hold no solution is left; one where all
  // hold must still be walked, to list them in order.
  if (plan_->total - position >= kSettleFromRemaining &&
      TrySettle(walk, position, freeDigits) == RangeVerdict::kFails) {
    return RunEnd::kCompleted;
  }
  if (SolveSuffix(walk, position, freeDigits)) return RunEnd::kCompleted;
  const Step& step = walk.steps[position];
  const SavedSums saved(step, sums_);
  const int next = position + 1;
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = LowestDigit(candidates);
    if (!Try(walk, step, saved, d)) continue;
    const unsigned rest = freeDigits & ~(1u << d);
    if (next == plan_->total) {
      ReportSolution();
    } else if ((next + 1 == plan_->total ? AssignLast(next, rest) : Assign(next, rest)) == RunEnd::kStopped) {
      return RunEnd::kStopped;
    }
  }
  return RunEnd::kCompleted;
}

// The last variable, written out apart so that no call is made per
// complete assignment: with ten letters there are as many last steps as
// solutions to count.
inline RunEnd FreeSearch::AssignLast(int position, unsigned freeDigits) {
  if (Halted()) return RunEnd::kStopped;
  const Walk& walk = plan_->listing;
  const Step& step = walk.steps[position];
  const SavedSums saved(step, sums_);
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    if (Try(walk, step, saved, LowestDigit(candidates))) ReportSolution();
  }
  return RunEnd::kCompleted;
}

// Counts the solutions below a node once none is listed any more, in the
// walk's order.
RunEnd FreeSearch::Count(const Walk& walk, int position, unsigned freeDigits) {
  if (Halted()) return RunEnd::kStopped;
  const int remaining = plan_->total - position;
  if (remaining >= kSettleFromRemaining) {
    const RangeVerdict verdict = TrySettle(walk, position, freeDigits);
    if (verdict == RangeVerdict::kFails) return RunEnd::kCompleted;
    if (verdict == RangeVerdict::kHolds) {
      // Every remaining test holds whatever the digits: count the ways to
      // give them, a leading variable never taking 0.
      const int digits = std::popcount(freeDigits);
      int leading = 0;
      for (int p = position; p < plan_->total; ++p) leading += walk.steps[p].allowedDigits != kAllDigits;
      std::int32_t ways = Arrangements(digits, remaining);
      if (freeDigits & 1u) ways -= leading * Arrangements(digits - 1, remaining - 1);
      solutionCount_ += ways;
      Counted();
      return RunEnd::kCompleted;
    }
  }
  if (SolveSuffix(walk, position, freeDigits)) return RunEnd::kCompleted;

  const Step& step = walk.steps[position];
  const SavedSums saved(step, sums_);
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = LowestDigit(candidates);
    if (!Try(walk, step, saved, d)) continue;
    const int next = position + 1;
    if (next == plan_->total) {
      ReportSolution();
    } else if (next + 1 == plan_->total) {
      CountLast(walk, next, freeDigits & ~(1u << d));
    } else if (Count(walk, next, freeDigits & ~(1u << d)) == RunEnd::kStopped) {
      return RunEnd::kStopped;
    }
  }
  return RunEnd::kCompleted;
}

// The last variable of a counting walk, written out apart as in
// AssignLast; the stop is polled a step above.
inline void FreeSearch::CountLast(const Walk& walk, int position, unsigned freeDigits) {
  const Step& step = walk.steps[position];
  const SavedSums saved(step, sums_);
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    if (Try(walk, step, saved, LowestDigit(candidates))) ReportSolution();
  }
}

// Settle where it pays: at each number of variables left, ranges are tried
// while they settle often enough to spare more than they cost, a settled
// node sparing every assignment below it. Where they seldom settle (every
// relation true almost everywhere) they are tried only now and then, in
// case the subtrees further on settle better. Which nodes are settled
// changes only the time taken, never a solution or the count.
inline RangeVerdict FreeSearch::TrySettle(const Walk& walk, int position, unsigned freeDigits) {
  const int remaining = plan_->total - position;
  SettleTries& tries = settleTries_[remaining];
  if (!tries.worth) {
    if (--tries.probeIn != 0) return RangeVerdict::kUnknown;
    tries.probeIn = kSettleProbeEvery;
  }
  const RangeVerdict verdict = Settle(walk, position, freeDigits);
  tries.settled += verdict != RangeVerdict::kUnknown;
  if (--tries.judgeIn == 0) {
    tries.judgeIn = kSettleTriesBeforeJudging;
    tries.tried += kSettleTriesBeforeJudging;
    tries.worth =
        tries.settled * Arrangements(std::popcount(freeDigits), remaining) >= kSettleCost * remaining * tries.tried;
  }
  return verdict;
}

// What bounds and ranges say of the tests still to come below a node: Fails
// when one of them fails whatever the remaining digits, Holds when they all
// hold whatever the digits, Unknown when the digits must be tried. Each
// remaining variable may take any free digit here, repeats included: a
// wider set than the true one, so a settled verdict is always right.
RangeVerdict FreeSearch::Settle(const Walk& walk, int position, unsigned freeDigits) {
  bool allHold = !walk.pendingOther[position];
  for (BoundMask pending = walk.pendingBounds[position]; pending != 0; pending &= pending - 1) {
    const Bound& bound = plan_->bounds[std::countr_zero(pending)];
    std::int64_t low = sums_[bound.form];
    if (bound.right >= 0) low -= sums_[bound.right];
    std::int64_t high = low;
    for (int p = position; p < plan_->total; ++p) {
      const std::int64_t w = bound.weight[walk.steps[p].variable];
      const unsigned allowed = freeDigits & walk.steps[p].allowedDigits;
      if (w == 0 || allowed == 0) continue;
      low += w * (w > 0 ? LowestDigit(allowed) : HighestDigit(allowed));
      high += w * (w > 0 ? HighestDigit(allowed) : LowestDigit(allowed));
    }
    const RangeVerdict verdict = CompareRange<std::int64_t>(bound.op, {low, high}, {0, 0});
    if (verdict == RangeVerdict::kFails) return verdict;
    allHold = allHold && verdict == RangeVerdict::kHolds;
  }
  const bool graphPending = walk.steps[position].firstInstruction != static_cast<int>(walk.instructions.size());
  if (walk.pendingRanged[position] == 0 && !graphPending)
    return allHold ? RangeVerdict::kHolds : RangeVerdict::kUnknown;
  DigitRanges ranges;
  for (int v = 1; v <= plan_->total; ++v) ranges.low[v] = ranges.high[v] = static_cast<std::int8_t>(digits_[v]);
  for (int p = position; p < plan_->total; ++p) {
    const unsigned allowed = freeDigits & walk.steps[p].allowedDigits;
    if (allowed == 0) return RangeVerdict::kFails;  // no digit left for it: nothing below
    const int v = walk.steps[p].variable;
    ranges.low[v] = static_cast<std::int8_t>(LowestDigit(allowed));
    ranges.high[v] = static_cast<std::int8_t>(HighestDigit(allowed));
  }
  if (graphPending) {
    const RangeVerdict verdict = SettleGraph(walk, position, ranges);
    if (verdict == RangeVerdict::kFails) return verdict;
    allHold = allHold && verdict == RangeVerdict::kHolds;
  }
  for (RangedMask pending = walk.pendingRanged[position]; pending != 0; pending &= pending - 1) {
    const RangeVerdict verdict = EvaluateRange(plan_->codes[plan_->rangedCodes[std::countr_zero(pending)]], ranges);
    if (verdict == RangeVerdict::kFails) return verdict;
    allHold = allHold && verdict == RangeVerdict::kHolds;
  }
  return allHold ? RangeVerdict::kHolds : RangeVerdict::kUnknown;
}

// The graph's nodes still to compute below a node of the search, on
// intervals: the nodes computed above it are known values, the digits still
// free give ranges. Fails when a comparison or an operation fails over the
// whole subtree, Holds when every comparison holds over it and nothing on
// the way can fail.
RangeVerdict FreeSearch::SettleGraph(const Walk& walk, int position, const DigitRanges& ranges) {
  using Range = Span<std::int64_t>;
  const std::uint32_t stamp = ++stamp_;
  const std::span<const NodeGraph::Term> terms = plan_->graph.Terms();
  const std::span<const NodeGraph::Node> nodes = plan_->graph.Nodes();
  // A node computed above: its value, unless it was too wide.
  const auto operand = [&](std::uint16_t n, Range& span, bool& unknown, bool& mayFail) {
    const NodeRange& r = ranges_[n];
    if (r.stamp == stamp) {
      span = {r.low, r.high};
      unknown = unknown || r.unknown;
      mayFail = mayFail || r.mayFail;
    } else {
      span = {values_[n], values_[n]};
      unknown = unknown || values_[n] == kTooWideValue;
    }
  };
  bool allHold = true;
  RangeVerdict failed = RangeVerdict::kUnknown;
  const auto fresh = [&](std::uint16_t node) -> NodeRange& { return ranges_[node] = {0, 0, stamp, false, false}; };
  const auto digit = [&](std::uint16_t node, int variable) {
    NodeRange& r = fresh(node);
    r.low = ranges.low[variable], r.high = ranges.high[variable];
    return true;
  };
  const auto word = [&](std::uint16_t node, int first, int end) {  // words fit in 64 bits over any digits
    NodeRange& r = fresh(node);
    r.low = r.high = nodes[node].constant;
    for (int t = first; t < end; ++t) {  // weights are positive
      r.low += terms[t].weight * ranges.low[terms[t].variable];
      r.high += terms[t].weight * ranges.high[terms[t].variable];
    }
    return true;
  };
  const auto operate = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    NodeRange& r = fresh(node);
    Range a, b;
    operand(na, a, r.unknown, r.mayFail);
    operand(nb, b, r.unknown, r.mayFail);
    if (r.unknown) return true;
    range::Operation<std::int64_t> result;
    switch (range::ApplyRange(op, a, b, result)) {
      case Outcome::kDone:
        r.low = result.result.low, r.high = result.result.high;
        r.mayFail = r.mayFail || result.mayFail;
        return true;
      case Outcome::kFails:
        failed = RangeVerdict::kFails;  // it fails over the whole subtree
        return false;
      case Outcome::kTooWide:
        r.unknown = true;
    }
    return true;
  };
  const auto compare = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    NodeRange& r = fresh(node);
    Range a, b;
    operand(na, a, r.unknown, r.mayFail);
    operand(nb, b, r.unknown, r.mayFail);
    const RangeVerdict verdict = r.unknown ? SettleWide(nodes[node].relation, ranges) : CompareRange(op, a, b);
    if (verdict == RangeVerdict::kFails) {
      failed = verdict;
      return false;
    }
    allHold = allHold && verdict == RangeVerdict::kHolds && (!r.mayFail || r.unknown);
    return true;
  };
  const Instruction* first = walk.instructions.data() + walk.steps[position].firstInstruction;
  if (!ForEachNode(first, walk.instructions.data() + walk.instructions.size(), digit, word, operate, compare)) {
    return failed;
  }
  return allHold ? RangeVerdict::kHolds : RangeVerdict::kUnknown;
}

// A relation whose nodes leave 64 bits, settled on its code over the
// ranges in as many bits as it takes. Where that seldom settles anything it
// is no longer tried: it costs more than the digits it would spare.
RangeVerdict FreeSearch::SettleWide(int relation, const DigitRanges& ranges) {
  WideTries& tries = wideTries_[relation];
  if (tries.tried > kWideTriesBeforeJudging && tries.settled * kWideSettleRatio < tries.tried) {
    return RangeVerdict::kUnknown;
  }
  ++tries.tried;
  const RelationCode& code = plan_->codes[plan_->relationCodes[relation]];
  const RangeVerdict verdict = EvaluateRange(code, ranges);
  tries.settled += verdict != RangeVerdict::kUnknown;
  return verdict;
}

// Gives the step's variable the digit `d`, brings the sums it weighs in up
// to date, and runs the tests it completes: those on sums first, then the
// graph's nodes, then those on codes.
inline bool FreeSearch::Try(const Walk& walk, const Step& step, const SavedSums& saved, int d) {
  digits_[step.variable] = d;
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = saved.Base(t) + step.terms[t].weight * d;
  for (int i = 0; i < step.firstCodeTest; ++i) {
    if (!RunTest(step.tests[i])) return false;
  }
  if (step.firstInstruction != step.endInstruction && !RunInstructions(walk, step)) return false;
  for (int i = step.firstCodeTest; i < step.testCount; ++i) {
    if (!RunTest(step.tests[i])) return false;
  }
  return true;
}

// Where the variables left form the walk's affine suffix, and have few
// ways to take digits: every test still to come as an affine constraint,
// then every way tried arithmetically, in the walk's order, each solution
// reported. False, having done nothing, where that does not apply.
bool FreeSearch::SolveSuffix(const Walk& walk, int position, unsigned freeDigits) {
  const int remaining = plan_->total - position;
  if (position < walk.affineFrom || remaining < 2 ||
      Arrangements(std::popcount(freeDigits), remaining) > kMaxSuffixArrangements || walk.pendingOther[position] ||
      walk.pendingRanged[position] != 0 || !AffineTests(walk, position)) {
    return false;
  }
  // Sums of at most nine times each weight must fit, as the running sums do.
  for (int c = 0; c < constraintCount_; ++c) {
    Wide reach = constraints_[c].constant < 0 ? -Wide{constraints_[c].constant} : constraints_[c].constant;
    for (int slot = 0; slot < remaining; ++slot) {
      const std::int64_t w = constraints_[c].coef[slot];
      reach += 9 * (w < 0 ? -Wide{w} : w);
    }
    if (reach > std::numeric_limits<std::int64_t>::max()) return false;
    partial_[c] = constraints_[c].constant;
    // The positive and the negative weights of the slots after each slot.
    Constraint& constraint = constraints_[c];
    std::int64_t up = 0, down = 0;
    for (int slot = remaining - 1; slot >= 0; --slot) {
      constraint.laterUp[slot] = up;
      constraint.laterDown[slot] = down;
      (constraint.coef[slot] > 0 ? up : down) += constraint.coef[slot];
    }
  }
  EnumerateSuffix(walk, position, 0, freeDigits);
  return true;
}

// The tests still to come below `position`, as affine constraints on the
// digits of the variables left (slot 0 the one at `position`). False when
// one of them is not affine there, or a value is too wide.
bool FreeSearch::AffineTests(const Walk& walk, int position) {
  const int remaining = plan_->total - position;
  std::array<int, kMaxVariables + 1> slotOf;
  slotOf.fill(-1);
  for (int p = position; p < plan_->total; ++p) slotOf[walk.steps[p].variable] = p - position;
  constraintCount_ = 0;

  for (BoundMask pending = walk.pendingBounds[position]; pending != 0; pending &= pending - 1) {
    const Bound& bound = plan_->bounds[std::countr_zero(pending)];
    Constraint& c = constraints_[constraintCount_++];
    c = {bound.op, sums_[bound.form] - (bound.right >= 0 ? sums_[bound.right] : 0), {}, {}, {}};
    for (int p = position; p < plan_->total; ++p) c.coef[p - position] = bound.weight[walk.steps[p].variable];
  }

  const std::uint32_t stamp = ++stamp_;
  const std::span<const NodeGraph::Term> terms = plan_->graph.Terms();
  const std::span<const NodeGraph::Node> nodes = plan_->graph.Nodes();
  // A node computed above is a constant here, unless it was too wide.
  Affine leftConstant{}, rightConstant{};
  const auto operand = [&](std::uint16_t n, Affine& scratch) -> const Affine* {
    if (affine_[n].stamp == stamp) return &affine_[n];
    scratch.constant = values_[n];
    return values_[n] == kTooWideValue ? nullptr : &scratch;
  };
  const auto isConstant = [&](const Affine& x) {
    return &x == &leftConstant || &x == &rightConstant ||
           std::all_of(x.coef.begin(), x.coef.begin() + remaining, [](std::int64_t w) { return w == 0; });
  };
  const auto fresh = [&](std::uint16_t node) -> Affine& {
    Affine& r = affine_[node];
    r.stamp = stamp;
    r.constant = 0;
    std::fill(r.coef.begin(), r.coef.begin() + remaining, 0);
    return r;
  };
  const auto digit = [&](std::uint16_t node, int variable) {
    fresh(node).coef[slotOf[variable]] = 1;
    return true;
  };
  const auto word = [&](std::uint16_t node, int first, int end) {  // words fit in 64 bits over any digits
    Affine& r = fresh(node);
    r.constant = nodes[node].constant;
    for (int t = first; t < end; ++t) {
      const int slot = slotOf[terms[t].variable];
      if (slot < 0) {
        r.constant += terms[t].weight * digits_[terms[t].variable];
      } else {
        r.coef[slot] += terms[t].weight;
      }
    }
    return true;
  };
  // False for a product of two unknowns, a power, a division or a value
  // that does not fit.
  const auto operate = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    Affine& r = fresh(node);
    const Affine* a = operand(na, leftConstant);
    const Affine* b = operand(nb, rightConstant);
    if (a == nullptr || b == nullptr) return false;
    bool overflow = false;
    if (op == Operator::kPlus || op == Operator::kMinus || IsComparison(op)) {
      const bool add = op == Operator::kPlus;
      overflow = add ? __builtin_add_overflow(a->constant, b->constant, &r.constant)
                     : __builtin_sub_overflow(a->constant, b->constant, &r.constant);
      for (int slot = 0; slot < remaining; ++slot) {
        overflow = overflow || (add ? __builtin_add_overflow(a->coef[slot], b->coef[slot], &r.coef[slot])
                                    : __builtin_sub_overflow(a->coef[slot], b->coef[slot], &r.coef[slot]));
      }
    } else if (op == Operator::kTimes && (isConstant(*a) || isConstant(*b))) {
      const Affine& scaled = isConstant(*a) ? *b : *a;
      const std::int64_t factor = isConstant(*a) ? a->constant : b->constant;
      overflow = __builtin_mul_overflow(scaled.constant, factor, &r.constant);
      for (int slot = 0; slot < remaining; ++slot) {
        overflow = overflow || __builtin_mul_overflow(scaled.coef[slot], factor, &r.coef[slot]);
      }
    } else {
      return false;
    }
    return !overflow;
  };
  const auto compare = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    if (!operate(node, op, na, nb)) return false;  // the difference of the two sides
    const Affine& r = affine_[node];
    constraints_[constraintCount_++] = {op, r.constant, r.coef, {}, {}};
    return true;
  };
  const Instruction* first = walk.instructions.data() + walk.steps[position].firstInstruction;
  return ForEachNode(first, walk.instructions.data() + walk.instructions.size(), digit, word, operate, compare);
}

// Gives the suffix's variables their digits in the walk's order, each
// trying its digits in ascending order, and reports every way that meets
// all the constraints. A digit is passed over as soon as the digits still
// free cannot bring some constraint to hold.
void FreeSearch::EnumerateSuffix(const Walk& walk, int position, int slot, unsigned freeDigits) {
  const int slots = plan_->total - position;
  const Step& step = walk.steps[position + slot];
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = LowestDigit(candidates);
    const unsigned rest = freeDigits & ~(1u << d);
    const std::int64_t least = rest != 0 ? LowestDigit(rest) : 0;
    const std::int64_t most = rest != 0 ? HighestDigit(rest) : 0;
    bool possible = true;
    for (int c = 0; c < constraintCount_ && possible; ++c) {
      const Constraint& constraint = constraints_[c];
      const std::int64_t value = partial_[c] + constraint.coef[slot] * d;
      const std::int64_t up = constraint.laterUp[slot];
      const std::int64_t down = constraint.laterDown[slot];
      const Span<std::int64_t> reach{value + up * least + down * most, value + up * most + down * least};
      possible = CompareRange(constraint.op, reach, {0, 0}) != RangeVerdict::kFails;
    }
    if (!possible) continue;
    digits_[step.variable] = d;
    if (slot + 1 == slots) {
      ReportSolution();  // every constraint's range is its value now, and it holds
      continue;
    }
    for (int c = 0; c < constraintCount_; ++c) partial_[c] += constraints_[c].coef[slot] * d;
    EnumerateSuffix(walk, position, slot + 1, rest);
    for (int c = 0; c < constraintCount_; ++c) partial_[c] -= constraints_[c].coef[slot] * d;
  }
}

bool FreeSearch::RunTest(const Test& test) {
  switch (test.kind) {
    case Test::kForms:
      return Compare(test.op, sums_[test.form], test.right < 0 ? 0 : sums_[test.right]);
    case Test::kResidue:
      return sums_[test.form] % test.modulus == 0;
    case Test::kReading: {
      const RelationCode& code = plan_->codes[test.code];
      return EvaluateReading(code.words.data(), code.length, test.modulus, digits_);
    }
    case Test::kExact: {
      const RelationCode& code = plan_->codes[test.code];
      return EvaluateExact(code.words.data(), code.length, digits_, *wide_);
    }
  }
  return false;
}

// Computes the graph's nodes that the step completes. A node that fails
// makes its relations false, whatever the digits below; a node too wide for
// 64 bits passes that on, and a comparison that meets one evaluates its
// relation from the code, in as many bits as it takes.
bool FreeSearch::RunInstructions(const Walk& walk, const Step& step) {
  const std::span<const NodeGraph::Term> terms = plan_->graph.Terms();
  const std::span<const NodeGraph::Node> nodes = plan_->graph.Nodes();
  std::int64_t* values = values_.data();
  const auto digit = [&](std::uint16_t node, int variable) {
    values[node] = digits_[variable];
    return true;
  };
  const auto word = [&](std::uint16_t node, int first, int end) {
    std::int64_t r = nodes[node].constant;
    for (int t = first; t < end; ++t) r += terms[t].weight * digits_[terms[t].variable];
    values[node] = r;
    return true;
  };
  const auto operate = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    const std::int64_t a = values[na];
    const std::int64_t b = values[nb];
    std::int64_t& r = values[node];
    if (a == kTooWideValue || b == kTooWideValue) {
      r = kTooWideValue;
      return true;
    }
    switch (Apply(op, a, b, r)) {
      case Outcome::kDone:
        return true;
      case Outcome::kFails:
        return false;
      case Outcome::kTooWide:
        r = kTooWideValue;
    }
    return true;
  };
  const auto compare = [&](std::uint16_t node, Operator op, std::uint16_t na, std::uint16_t nb) {
    const std::int64_t a = values[na];
    const std::int64_t b = values[nb];
    if (a != kTooWideValue && b != kTooWideValue) return Compare(op, a, b);
    const RelationCode& code = plan_->codes[plan_->relationCodes[nodes[node].relation]];
    return EvaluateExact(code.words.data(), code.length, digits_, *wide_);
  };
  // The unchecked operators inline, one case each; the rest as the other
  // readings of the instructions take them.
  const Instruction* const base = walk.instructions.data();
  const Instruction* const end = base + step.endInstruction;
  for (const Instruction* in = base + step.firstInstruction; in != end; ++in) {
    using enum Operator;
    constexpr auto unchecked = [](Operator op) { return Instruction::kUnchecked + static_cast<int>(op); };
    std::int64_t& r = values[in->node];
    switch (in->code) {
      case unchecked(kPlus):
        r = values[in->a] + values[in->b];
        continue;
      case unchecked(kMinus):
        r = values[in->a] - values[in->b];
        continue;
      case unchecked(kTimes):
        r = values[in->a] * values[in->b];
        continue;
      case unchecked(kQuotient):
        r = values[in->a] / values[in->b];
        continue;
      case Instruction::kDigitPower:
        r = kDigitPowers[values[in->a]][values[in->b]];
        continue;
      case unchecked(kEqual):
      case unchecked(kLess):
      case unchecked(kGreater):
      case unchecked(kGreaterEqual):
      case unchecked(kLessEqual):
      case unchecked(kDifferent):
        if (!Compare(in->Op(), values[in->a], values[in->b])) return false;
        continue;
      default:
        if (!ForEachNode(in, in + 1, digit, word, operate, compare)) return false;
    }
  }
  return true;
}

// Counts the solution and lists it while fewer than kMaxListedSolutions are
// listed: on the output, the first one under a header of the letters, or in
// the result of a subtree shared out.
inline void FreeSearch::ReportSolution() {
  ++solutionCount_;
  Counted();
  if (solutionCount_ > kMaxListedSolutions) return;
  const int total = plan_->total;
  SolutionLine line;
  line[0] = ' ';
  for (int v = 1; v <= total; ++v) line[v] = static_cast<char>('0' + digits_[v]);
  if (result_ != nullptr) {
    result_->lines[result_->listed++] = line;
    return;
  }
  if (solutionCount_ == 1) WriteHeader();
  out_->AppendLine({line.data(), static_cast<std::size_t>(total + 1)});
}

void FreeSearch::WriteHeader() {
  const int total = plan_->total;
  SolutionLine line;
  line[0] = ' ';
  for (int v = 1; v <= total; ++v) line[v] = plan_->letters[v];
  out_->AppendLine({line.data(), static_cast<std::size_t>(total + 1)});
  std::array<char, kMaxVariables + 2> rule;
  rule.fill('-');
  out_->AppendLine({rule.data(), static_cast<std::size_t>(total + 2)});
}

// The live count: stored whole by a search alone, added to in steps by
// searches that share the count.
inline void FreeSearch::Publish() {
  if (!shared_) {
    countWord_->store(solutionCount_, std::memory_order_relaxed);
    return;
  }
  countWord_->fetch_add(solutionCount_ - published_, std::memory_order_relaxed);
  published_ = solutionCount_;
}

// A search alone stores every new count; one that shares it adds to it in
// steps, which spares the threads from waiting on each other for the word.
inline void FreeSearch::Counted() {
  if (!shared_ || solutionCount_ - published_ >= kPublishEvery) Publish();
}

// How deep a search on several threads splits the listing walk, or 0 where
// it searches on one. Only a search that counts every solution shares out.
int FreeSearch::SplitDepth() const {
  const int total = plan_->total;
  const int digits = std::popcount(kAllDigits);
  if (threads_ == 1 || limit_ != std::numeric_limits<std::int32_t>::max() ||
      Arrangements(digits, total) < kThreadedFromAssignments) {
    return 0;
  }
  int depth = 1;
  while (Arrangements(digits, depth) < kTasksPerThread * threads_ && total - depth > kSplitFromRemaining) ++depth;
  return total - depth >= kSplitFromRemaining ? depth : 0;
}

// Walks the listing order down to `depth` and leaves each subtree there, in
// the order of the listed solutions, with the state it is searched from.
void FreeSearch::Split(int position, int depth, unsigned freeDigits) {
  if (position == depth) {
    subtrees_.push_back({position, freeDigits, digits_, sums_, values_});
    return;
  }
  const Walk& walk = plan_->listing;
  const Step& step = walk.steps[position];
  const SavedSums saved(step, sums_);
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = LowestDigit(candidates);
    if (Try(walk, step, saved, d)) Split(position + 1, depth, freeDigits & ~(1u << d));
  }
}

// The search on several threads. Each subtree lists its own first solutions
// and counts the others; the subtrees are taken in order, and their lists,
// put one after the other, are the listing of a search on one thread: this
// thread writes them out as the subtrees before them are done. The count
// is a sum, the same whatever the thread that adds to it.
RunEnd FreeSearch::RunShared() {
  const auto started = std::chrono::steady_clock::now();
  subtrees_.clear();
  Split(0, SplitDepth(), kAllDigits);
  results_ = std::make_unique<SubtreeResult[]>(subtrees_.size());
  shared_ = true;
  published_ = 0;
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> running;
  std::size_t written = 0;  // subtrees whose lists are written out
  std::int32_t lines = 0;   // solutions listed so far
  RunEnd end = RunEnd::kCompleted;
  bool helpersDue = true;
  for (std::size_t i; end == RunEnd::kCompleted && (i = next.fetch_add(1)) < subtrees_.size();) {
    end = SearchSubtree(subtrees_[i], results_[i]);
    WriteListed(written, lines, false);
    if (helpersDue && std::chrono::steady_clock::now() - started >= kHelpersAfter) {
      helpersDue = false;
      StartHelpers(running, next);
    }
  }
  for (std::thread& thread : running) thread.join();
  WriteListed(written, lines, true);
  solutionCount_ = 0;
  for (std::size_t i = 0; i < subtrees_.size(); ++i) solutionCount_ += results_[i].count;
  // A stop seen by any thread ends them all; it was asked of this search.
  return end == RunEnd::kStopped || stop_->IsSet() ? RunEnd::kStopped : RunEnd::kCompleted;
}

// Starts the helper threads on the subtrees not yet taken. A thread that
// cannot start leaves its share to those that did.
void FreeSearch::StartHelpers(std::vector<std::thread>& running, std::atomic<std::size_t>& next) {
  const std::size_t left = subtrees_.size() - std::min(next.load(), subtrees_.size());
  const int helpers = static_cast<int>(std::min<std::size_t>(threads_ - 1, left));
  while (static_cast<int>(helpers_.size()) < helpers) helpers_.push_back(std::make_unique<FreeSearch>());
  for (int h = 0; h < helpers; ++h) {
    FreeSearch& helper = *helpers_[h];
    helper.plan_ = plan_;
    helper.Prepare(wideTries_.size());
    helper.stop_ = stop_;
    helper.countWord_ = countWord_;
    helper.pollsStop_ = false;  // only this thread counts the polls
    helper.shared_ = true;
    try {
      running.emplace_back([&helper, &next, this] { helper.SearchSubtrees(*this, next); });
    } catch (const std::system_error&) {
      return;
    }
  }
}

// A helper's share: the next subtree not yet taken, until none is left or
// the search is stopped.
void FreeSearch::SearchSubtrees(const FreeSearch& main, std::atomic<std::size_t>& next) {
  RunEnd end = RunEnd::kCompleted;
  for (std::size_t i; end == RunEnd::kCompleted && (i = next.fetch_add(1)) < main.subtrees_.size();) {
    end = SearchSubtree(main.subtrees_[i], main.results_[i]);
  }
}

// Searches one subtree in the listing order, its solutions listed in
// `result` while they are among its first ones.
RunEnd FreeSearch::SearchSubtree(const Subtree& subtree, SubtreeResult& result) {
  digits_ = subtree.digits;
  sums_ = subtree.sums;
  std::copy(subtree.values.begin(), subtree.values.end(), values_.begin());
  solutionCount_ = 0;
  published_ = 0;
  result_ = &result;
  const RunEnd end = Assign(subtree.position, subtree.freeDigits);
  result_ = nullptr;
  Publish();
  result.count = solutionCount_;
  result.done.store(end == RunEnd::kCompleted, std::memory_order_release);
  return end;
}

// Writes out the lists of the subtrees done, in order, up to the first one
// not done. Once the search has ended, every list left: a stop may have cut
// some short, and the solutions listed are then those found, in order.
void FreeSearch::WriteListed(std::size_t& written, std::int32_t& lines, bool searchEnded) {
  for (; written < subtrees_.size(); ++written) {
    const SubtreeResult& result = results_[written];
    if (!searchEnded && !result.done.load(std::memory_order_acquire)) return;
    for (int k = 0; k < result.listed && lines < kMaxListedSolutions; ++k, ++lines) {
      if (lines == 0) WriteHeader();
      out_->AppendLine({result.lines[k].data(), static_cast<std::size_t>(plan_->total + 1)});
    }
  }
}

}  // namespace zifrel::libero
