#include "libero/free_search.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>

#include "core/messages.h"
#include "libero/analysis.h"
#include "libero/compiler.h"
#include "libero/range_evaluator.h"

namespace zifrel::libero {
namespace {

constexpr int kMaxReadingDigits = 9;  // 10^9 squared still fits in 64 bits
constexpr int kFullStrength = kMaxReadingDigits + 1;

using Weights = std::array<std::int64_t, kMaxVariables + 1>;

unsigned VariablesOf(const RelationCode& code) {
  unsigned mask = 0;
  for (int i = 0; i < code.length; ++i) {
    if (code.words[i] >= 1 && code.words[i] <= kMaxVariables) mask |= 1u << code.words[i];
  }
  return mask;
}

unsigned VariablesOf(const Weights& weight, std::int64_t modulus = 0) {
  unsigned mask = 0;
  for (int v = 1; v <= kMaxVariables; ++v) {
    if (modulus == 0 ? weight[v] != 0 : weight[v] % modulus != 0) mask |= 1u << v;
  }
  return mask;
}

// True when every partial sum of the form, whatever digits it adds, is its
// exact value: then its last digits are those of the true sum, and its
// bounds are true bounds.
bool StaysExact(std::int64_t constant, const Weights& weight) {
  const auto magnitude = [](std::int64_t x) { return x < 0 ? -static_cast<__int128>(x) : static_cast<__int128>(x); };
  __int128 reach = magnitude(constant);
  for (int v = 1; v <= kMaxVariables; ++v) reach += 9 * magnitude(weight[v]);
  return reach <= std::numeric_limits<std::int64_t>::max();
}

// n! / (n - k)!: the ways to give k variables distinct digits out of n.
std::int32_t Arrangements(int n, int k) {
  std::int32_t ways = 1;
  for (int i = 0; i < k; ++i) ways *= n - i;
  return ways;
}

}  // namespace

void FreeSearch::Plan(const SearchSetup& setup) {
  total_ = setup.total;
  formCount_ = 0;
  codes_.clear();
  candidates_.clear();
  bounds_.clear();
  rangedCodes_.clear();
  settledWhole_.assign(setup.codes.size(), false);
  variableTermCount_ = {};
  int p = 0;
  for (int v = setup.pilotCount; v >= 1; --v) order_[p++] = v;
  for (int v = setup.total; v > setup.pilotCount; --v) order_[p++] = v;
  for (int v = 1; v <= total_; ++v) {
    allowedDigits_[v] = setup.table->Leading(v) ? 0x3FE : 0x3FF;
    letters_[v] = setup.table->LetterOf(v);
  }
  for (int r = 0; r < static_cast<int>(setup.codes.size()); ++r) PlanRelation(setup, r);
  Place(order_, 0, steps_, nullptr);

  // The counting orders: the variables not yet assigned at `start`, those
  // that weigh most in a bounded test first, the others as they came.
  Weights importance{};
  for (const Bound& bound : bounds_) {
    for (int v = 1; v <= total_; ++v) {
      importance[v] = std::max(importance[v], bound.weight[v] < 0 ? -bound.weight[v] : bound.weight[v]);
    }
  }
  countPlans_.assign(std::max(total_, 1), CountPlan{});
  for (int start = 1; start < total_; ++start) {
    Order order = order_;
    std::stable_sort(order.begin() + start, order.begin() + total_,
                     [&](int a, int b) { return importance[a] > importance[b]; });
    Place(order, start, countPlans_[start].steps, &countPlans_[start]);
  }
}

int FreeSearch::AddForm(std::int64_t constant, const Weights& weight) {
  const int form = formCount_++;
  sums_[form] = static_cast<std::uint64_t>(constant);
  for (int v = 1; v <= total_; ++v) {
    if (weight[v] != 0) variableTerms_[v][variableTermCount_[v]++] = {static_cast<std::uint8_t>(form), weight[v]};
  }
  return form;
}

void FreeSearch::PlanRelation(const SearchSetup& setup, int relation) {
  const RelationCode& full = setup.codes[relation];
  const std::u32string& text = setup.texts[relation];
  // Last digits agree only for an equality whose values never wrap around.
  const bool readable = text.find(U'=') != std::u32string::npos && text.find(U':') == std::u32string::npos &&
                        text.find(U'%') == std::u32string::npos && !MayWrap(full);
  const auto add = [&](int strength, unsigned variables, Test test, int bound = -1, int ranged = -1) {
    candidates_.push_back({relation, strength, variables, test, bound, ranged});
    if (strength == kFullStrength && (bound >= 0 || ranged >= 0)) settledWhole_[relation] = true;
  };

  if (const std::optional<LinearRelation> linear = LinearView(full)) {
    if (linear->op == kEqual || linear->op == kDifferent) {
      Weights difference{};
      for (int v = 1; v <= kMaxVariables; ++v) {
        difference[v] = arith::Sub(linear->left.weight[v], linear->right.weight[v]);
      }
      const std::int64_t constant = arith::Sub(linear->left.constant, linear->right.constant);
      const auto form = static_cast<std::uint8_t>(AddForm(constant, difference));
      const Test::Kind kind = linear->op == kEqual ? Test::kZero : Test::kNonZero;
      const bool exact = StaysExact(constant, difference);
      if (exact) bounds_.push_back({kind, form, -1, difference});
      add(kFullStrength, VariablesOf(difference), {kind, form, 0, 0, 0}, exact ? bounds_.size() - 1 : -1);
      if (readable && linear->op == kEqual && exact) {
        std::int64_t modulus = 1;
        for (int k = 1; k <= kMaxReadingDigits; ++k) {
          modulus *= 10;
          add(k, VariablesOf(difference, modulus), {Test::kResidue, form, 0, 0, modulus});
        }
      }
    } else {
      const auto left = static_cast<std::uint8_t>(AddForm(linear->left.constant, linear->left.weight));
      const auto right = static_cast<std::uint8_t>(AddForm(linear->right.constant, linear->right.weight));
      Test::Kind kind = Test::kLess;
      if (linear->op == kGreater) kind = Test::kGreater;
      if (linear->op == kGreaterEqual) kind = Test::kGreaterEqual;
      if (linear->op == kLessEqual) kind = Test::kLessEqual;
      // The comparison is of the two values, so each must stay exact, and
      // their difference too.
      Weights difference{};
      __int128 reach = 0;
      for (int v = 1; v <= kMaxVariables; ++v) {
        const __int128 w = static_cast<__int128>(linear->left.weight[v]) - linear->right.weight[v];
        difference[v] = static_cast<std::int64_t>(w);
        reach += 9 * (w < 0 ? -w : w);
      }
      const __int128 constant = static_cast<__int128>(linear->left.constant) - linear->right.constant;
      reach += constant < 0 ? -constant : constant;
      const bool exact = StaysExact(linear->left.constant, linear->left.weight) &&
                         StaysExact(linear->right.constant, linear->right.weight) &&
                         reach <= std::numeric_limits<std::int64_t>::max();
      if (exact) bounds_.push_back({kind, left, static_cast<std::int8_t>(right), difference});
      add(kFullStrength, VariablesOf(linear->left.weight) | VariablesOf(linear->right.weight),
          {kind, left, right, 0, 0}, exact ? bounds_.size() - 1 : -1);
    }
  } else {
    codes_.push_back(full);
    const unsigned variables = VariablesOf(full);
    int ranged = -1;
    if (HasRanges(full) && rangedCodes_.size() < 32) {
      ranged = static_cast<int>(rangedCodes_.size());
      rangedCodes_.push_back(static_cast<int>(codes_.size() - 1));
    }
    add(kFullStrength, variables, {Test::kCode, 0, 0, static_cast<std::int16_t>(codes_.size() - 1), 0}, -1, ranged);
    if (readable) {
      VariableTable table = *setup.table;  // every letter has its number already
      std::int64_t modulus = 1;
      for (int k = 1; k <= kMaxReadingDigits; ++k) {
        modulus *= 10;
        RelationCode reading;
        CompileReading(text, k, true, reading, table);
        const unsigned readingVariables = VariablesOf(reading);
        if (readingVariables == variables) break;  // from here on the whole relation is as soon known
        codes_.push_back(reading);
        add(k, readingVariables, {Test::kCode, 0, 0, static_cast<std::int16_t>(codes_.size() - 1), modulus});
      }
    }
  }
}

// Lays the tests out along `order` from `start` on. A test runs where its
// last variable gets its digit, and only if no stronger test of the same
// relation completes there or earlier; a test that completes before `start`
// has already run on the way there.
void FreeSearch::Place(const Order& order, int start, Steps& steps, CountPlan* count) const {
  std::array<int, kMaxVariables + 1> position{};
  for (int p = 0; p < total_; ++p) position[order[p]] = p;
  for (int p = start; p < total_; ++p) {
    Step& step = steps[p];
    step = Step{};
    step.variable = order[p];
    step.allowedDigits = allowedDigits_[order[p]];
    step.termCount = variableTermCount_[order[p]];
    step.terms = variableTerms_[order[p]];
  }
  const auto completion = [&](unsigned variables) {
    int at = 0;  // a test that reads no variable has one verdict: the first step gives it
    for (int v = 1; v <= kMaxVariables; ++v) {
      if (variables & (1u << v)) at = std::max(at, position[v]);
    }
    return at;
  };

  std::vector<const Candidate*> strongestFirst;
  for (const Candidate& c : candidates_) strongestFirst.push_back(&c);
  std::stable_sort(strongestFirst.begin(), strongestFirst.end(), [](const Candidate* a, const Candidate* b) {
    return a->relation != b->relation ? a->relation < b->relation : a->strength > b->strength;
  });
  int relation = -1;
  int strongerAt = 0;
  for (const Candidate* candidate : strongestFirst) {
    if (candidate->relation != relation) relation = candidate->relation, strongerAt = total_;
    const int at = completion(candidate->variables);
    if (at >= strongerAt) continue;
    strongerAt = at;
    if (at < start) continue;
    Step& step = steps[at];
    step.tests[step.testCount++] = candidate->test;
    if (count == nullptr) continue;
    for (int p = start; p <= at; ++p) {
      if (candidate->bound >= 0) {
        count->pendingBounds[p] |= std::uint64_t{1} << candidate->bound;
      } else if (candidate->ranged >= 0) {
        count->pendingRanged[p] |= std::uint32_t{1} << candidate->ranged;
      } else if (!settledWhole_[candidate->relation]) {
        // A last-digits test is implied by its whole relation: once that is
        // settled as holding, so is the test.
        count->pendingOther[p] = true;
      }
    }
  }
}

bool FreeSearch::Run(LineSink& out, StopFlag& stop, std::atomic<std::int32_t>& count) {
  out_ = &out;
  stop_ = &stop;
  countWord_ = &count;
  solutionCount_ = 0;
  count.store(0, std::memory_order_relaxed);
  const bool completed = total_ == 0 || !Assign(0, 0x3FF);
  out_ = nullptr;
  stop_ = nullptr;
  countWord_ = nullptr;
  return completed;
}

// Gives the variable at `position` each free digit in turn; true means the
// search was stopped.
bool FreeSearch::Assign(int position, unsigned freeDigits) {
  if (solutionCount_ >= kMaxListedSolutions && position > 0) {
    return Count(countPlans_[position], position, freeDigits);
  }
  if (stop_->Poll()) return true;
  const Step& step = steps_[position];
  std::array<std::uint64_t, kMaxForms> base;
  for (int t = 0; t < step.termCount; ++t) base[t] = sums_[step.terms[t].form];
  const int next = position + 1;

  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = std::countr_zero(candidates);
    if (!Try(step, base, d)) continue;
    const unsigned rest = freeDigits & ~(1u << d);
    if (next == total_) {
      ReportSolution();
    } else if (next + 1 == total_) {
      if (AssignLast(next, rest)) return true;
    } else if (Assign(next, rest)) {
      return true;
    }
  }
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = base[t];
  return false;
}

// The last variable, written out apart so that no call is made per
// complete assignment: with ten letters there are as many last steps as
// solutions to count.
inline bool FreeSearch::AssignLast(int position, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  const Step& step = steps_[position];
  std::array<std::uint64_t, kMaxForms> base;
  for (int t = 0; t < step.termCount; ++t) base[t] = sums_[step.terms[t].form];
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    if (Try(step, base, std::countr_zero(candidates))) ReportSolution();
  }
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = base[t];
  return false;
}

// Counts the solutions below a node once none is listed any more, in the
// plan's order; true means the search was stopped.
bool FreeSearch::Count(const CountPlan& plan, int position, unsigned freeDigits) {
  if (stop_->Poll()) return true;
  const int settled = Settle(plan, position, freeDigits);
  if (settled == 0) return false;
  if (settled > 0) {
    // Every remaining test holds whatever the digits: count the ways to give
    // them, a leading variable never taking 0.
    const int remaining = total_ - position;
    const int digits = std::popcount(freeDigits);
    int leading = 0;
    for (int p = position; p < total_; ++p) leading += plan.steps[p].allowedDigits != 0x3FF;
    std::int32_t ways = Arrangements(digits, remaining);
    if (freeDigits & 1u) ways -= leading * Arrangements(digits - 1, remaining - 1);
    solutionCount_ += ways;
    countWord_->store(solutionCount_, std::memory_order_relaxed);
    return false;
  }

  const Step& step = plan.steps[position];
  std::array<std::uint64_t, kMaxForms> base;
  for (int t = 0; t < step.termCount; ++t) base[t] = sums_[step.terms[t].form];
  for (unsigned candidates = freeDigits & step.allowedDigits; candidates != 0; candidates &= candidates - 1) {
    const int d = std::countr_zero(candidates);
    if (!Try(step, base, d)) continue;
    if (position + 1 == total_) {
      ReportSolution();
    } else if (Count(plan, position + 1, freeDigits & ~(1u << d))) {
      return true;
    }
  }
  for (int t = 0; t < step.termCount; ++t) sums_[step.terms[t].form] = base[t];
  return false;
}

// What the bounds say of the tests still to come below a node: 0 when one of
// them fails whatever the remaining digits, 1 when they all hold whatever
// the digits, -1 when the digits must be tried. A bound lets each remaining
// variable take any free digit, repeats included: a wider range than the
// true one, so a settled verdict is always right.
int FreeSearch::Settle(const CountPlan& plan, int position, unsigned freeDigits) const {
  bool allHold = !plan.pendingOther[position];
  for (std::uint64_t pending = plan.pendingBounds[position]; pending != 0; pending &= pending - 1) {
    const Bound& bound = bounds_[std::countr_zero(pending)];
    std::int64_t low = static_cast<std::int64_t>(sums_[bound.form]);
    if (bound.right >= 0) low -= static_cast<std::int64_t>(sums_[bound.right]);
    std::int64_t high = low;
    for (int p = position; p < total_; ++p) {
      const std::int64_t w = bound.weight[plan.steps[p].variable];
      const unsigned allowed = freeDigits & plan.steps[p].allowedDigits;
      if (w == 0 || allowed == 0) continue;
      const std::int64_t least = std::countr_zero(allowed);
      const std::int64_t most = 31 - std::countl_zero(allowed);
      low += w > 0 ? w * least : w * most;
      high += w > 0 ? w * most : w * least;
    }
    bool holds = false, fails = false;
    switch (bound.kind) {
      case Test::kZero:
        holds = low == 0 && high == 0, fails = low > 0 || high < 0;
        break;
      case Test::kNonZero:
        holds = low > 0 || high < 0, fails = low == 0 && high == 0;
        break;
      case Test::kLess:
        holds = high < 0, fails = low >= 0;
        break;
      case Test::kGreater:
        holds = low > 0, fails = high <= 0;
        break;
      case Test::kGreaterEqual:
        holds = low >= 0, fails = high < 0;
        break;
      case Test::kLessEqual:
        holds = high <= 0, fails = low > 0;
        break;
      default:
        break;
    }
    if (fails) return 0;
    allHold = allHold && holds;
  }
  if (plan.pendingRanged[position] != 0) {
    DigitRanges ranges;
    for (int v = 1; v <= total_; ++v) ranges.low[v] = ranges.high[v] = static_cast<std::int8_t>(digits_[v]);
    for (int p = position; p < total_; ++p) {
      const unsigned allowed = freeDigits & plan.steps[p].allowedDigits;
      if (allowed == 0) return 0;  // no digit left for it: nothing below to count
      const int v = plan.steps[p].variable;
      ranges.low[v] = static_cast<std::int8_t>(std::countr_zero(allowed));
      ranges.high[v] = static_cast<std::int8_t>(31 - std::countl_zero(allowed));
    }
    for (std::uint32_t pending = plan.pendingRanged[position]; pending != 0; pending &= pending - 1) {
      const RangeVerdict verdict = EvaluateRange(codes_[rangedCodes_[std::countr_zero(pending)]], ranges);
      if (verdict == RangeVerdict::Fails) return 0;
      allHold = allHold && verdict == RangeVerdict::Holds;
    }
  }
  return allHold ? 1 : -1;
}

// Gives the step's variable the digit `d`, brings the sums it weighs in up
// to date from `base`, and runs the tests it completes.
inline bool FreeSearch::Try(const Step& step, const std::array<std::uint64_t, kMaxForms>& base, int d) {
  digits_[step.variable] = d;
  for (int t = 0; t < step.termCount; ++t) {
    sums_[step.terms[t].form] =
        base[t] + static_cast<std::uint64_t>(step.terms[t].weight) * static_cast<std::uint64_t>(d);
  }
  for (int i = 0; i < step.testCount; ++i) {
    const Test& test = step.tests[i];
    const std::uint64_t a = sums_[test.form];
    const auto value = [](std::uint64_t sum) { return static_cast<std::int64_t>(sum); };
    bool holds;
    switch (test.kind) {
      case Test::kZero:
        holds = a == 0;
        break;
      case Test::kNonZero:
        holds = a != 0;
        break;
      case Test::kResidue:
        holds = value(a) % test.modulus == 0;
        break;
      case Test::kLess:
        holds = value(a) < value(sums_[test.right]);
        break;
      case Test::kGreater:
        holds = value(a) > value(sums_[test.right]);
        break;
      case Test::kGreaterEqual:
        holds = value(a) >= value(sums_[test.right]);
        break;
      case Test::kLessEqual:
        holds = value(a) <= value(sums_[test.right]);
        break;
      default: {
        const RelationCode& code = codes_[test.code];
        holds = EvaluateReading(code.words.data(), code.length, test.modulus, digits_);
      }
    }
    if (!holds) return false;
  }
  return true;
}

// Counts the solution and lists it while fewer than kMaxListedSolutions are
// listed, the first one under a header of the letters.
inline void FreeSearch::ReportSolution() {
  ++solutionCount_;
  countWord_->store(solutionCount_, std::memory_order_relaxed);
  if (solutionCount_ > kMaxListedSolutions) return;
  std::array<char, kMaxVariables + 2> line{};
  line[0] = ' ';
  if (solutionCount_ == 1) {
    for (int v = 1; v <= total_; ++v) line[v] = letters_[v];
    out_->AppendLine({line.data(), static_cast<std::size_t>(total_ + 1)});
    std::array<char, kMaxVariables + 2> rule;
    rule.fill('-');
    out_->AppendLine({rule.data(), static_cast<std::size_t>(total_ + 2)});
  }
  for (int v = 1; v <= total_; ++v) line[v] = static_cast<char>('0' + digits_[v]);
  out_->AppendLine({line.data(), static_cast<std::size_t>(total_ + 1)});
}

}  // namespace zifrel::libero
