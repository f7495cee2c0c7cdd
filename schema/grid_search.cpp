#include "schema/grid_search.h"

#include <span>

#include "core/program_clock.h"
#include "schema/last_step.h"

namespace zifrel {

GridSearch::GridSearch(const DivisorTable& divisors)
    : divisors_(divisors), orders_(4 * (kLargestMax + 1)), clock_(MillisecondsSinceStart) {}

void GridSearch::DrawValueOrders(SubtractiveRng& rng, int max) {
  max_ = max;
  for (int i = 0; i < 4; ++i) {
    RandomPermutation(rng, std::span(orders_).subspan(i * (kLargestMax + 1), max + 1), max);
  }
}

void GridSearch::SetPlan(const GenPlan& plan) {
  plan_ = plan;
  linearLastStep_ = LastStepIsLinear(plan);
}

GridSearch::Outcome GridSearch::SearchGrid(StopFlag& stop) {
  stop_ = &stop;
  stopped_ = false;
  attemptStart_ = clock_();
  const bool found = SearchSeed();
  stop_ = nullptr;
  return stopped_ ? Outcome::kStopped : found ? Outcome::kFound : Outcome::kNone;
}

// Every step asks; once a poll has seen the stop, the search unwinds.
bool GridSearch::Stopping() {
  stopped_ = stopped_ || stop_->Poll();
  return stopped_;
}

bool GridSearch::SeedPollSaysStop() {
  if (Stopping()) return true;
  return max_ == kLargestMax && clock_() - attemptStart_ > kAttemptLimitMs;
}

// The seed equation's three cells, chosen together: for a product every
// factor pair of every number in V2's order, for a sum every pair from V2
// and V3 whose total fits. A step that succeeds while a stop is requested is
// only unwinding; SearchGrid tells the two apart.
bool GridSearch::SearchSeed() {
  const SchemaEquation& seed = plan_.seed;
  const std::uint32_t* v2 = Order(2);
  const std::uint32_t* v3 = Order(3);
  if (seed.form == EquationForm::Product) {
    for (int i = 1; i <= max_; ++i) {
      const int n = static_cast<int>(v2[i]);
      for (const int d : divisors_.List(n)) {
        if (SeedPollSaysStop()) return false;
        x_[seed.result] = n;
        x_[seed.first] = d;
        x_[seed.second] = n / d;
        if (SearchStep<0>()) return true;
      }
    }
    return false;
  }
  for (int i = 1; i <= max_; ++i) {
    if (SeedPollSaysStop()) return false;
    const int u = static_cast<int>(v2[i]);
    for (int j = 1; j <= max_; ++j) {
      const int w = static_cast<int>(v3[j]);
      if (u + w > max_) continue;
      x_[seed.first] = u;
      x_[seed.second] = w;
      x_[seed.result] = u + w;
      if (SearchStep<0>()) return true;
    }
  }
  return false;
}

// Free step `Level` walks its candidates in its own value order (or, for a
// product whose result is known, in the divisor list's order) and goes on to
// the next step with each one that fits. True also when a stop is requested,
// which unwinds the search at once.
template <int Level>
bool GridSearch::SearchStep() {
  if (Stopping()) return true;
  const auto next = [this] {
    if constexpr (Level == 0) {
      return SearchStep<1>();
    } else {
      return CheckGrid();
    }
  };
  const GenStep<FreeKind>& step = plan_.free[Level];
  // Where the plan allows it, the last step's one possible value is computed
  // instead of walked to; it is the value the walk would stop at.
  if constexpr (Level == 1) {
    if (linearLastStep_ && !walkLastStep_) {
      const int only = OnlyLastValue(plan_, x_, max_);
      if (only == kNoLastValue) return false;
      if (only != kAnyLastValue) return TryFreeValue(step, only);
    }
  }
  const std::uint32_t* order = Order(Level);
  int* x = x_.data();
  switch (step.kind) {
    case FreeKind::ProductFirstKnown:
    case FreeKind::ProductSecondKnown: {
      const bool firstKnown = step.kind == FreeKind::ProductFirstKnown;
      const int known = x[firstKnown ? step.first : step.second];
      const int chosen = firstKnown ? step.second : step.first;
      for (int i = 1; i <= max_; ++i) {
        const int v = static_cast<int>(order[i]);
        if (v * known > max_) continue;
        x[chosen] = v;
        x[step.result] = v * known;
        if (next()) return true;
      }
      break;
    }
    case FreeKind::SumFirstKnown:
    case FreeKind::SumSecondKnown: {
      const bool firstKnown = step.kind == FreeKind::SumFirstKnown;
      const int known = x[firstKnown ? step.first : step.second];
      const int chosen = firstKnown ? step.second : step.first;
      for (int i = 1; i <= max_; ++i) {
        const int v = static_cast<int>(order[i]);
        if (v + known > max_) continue;
        x[chosen] = v;
        x[step.result] = v + known;
        if (next()) return true;
      }
      break;
    }
    case FreeKind::ProductResultKnown: {
      const int n = x[step.result];
      for (const int d : divisors_.List(n)) {
        x[step.first] = d;
        x[step.second] = n / d;
        if (next()) return true;
      }
      break;
    }
    case FreeKind::SumResultKnown: {
      const int n = x[step.result];
      for (int i = 1; i <= max_; ++i) {
        const int v = static_cast<int>(order[i]);
        if (v >= n) continue;
        x[step.first] = v;
        x[step.second] = n - v;
        if (next()) return true;
      }
      break;
    }
  }
  return false;
}

// The cells that the last free step sets for the value `v`, then the check.
bool GridSearch::TryFreeValue(const GenStep<FreeKind>& step, int v) {
  int* x = x_.data();
  switch (step.kind) {
    case FreeKind::ProductFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] * v;
      break;
    case FreeKind::ProductSecondKnown:
      x[step.first] = v;
      x[step.result] = v * x[step.second];
      break;
    case FreeKind::SumFirstKnown:
      x[step.second] = v;
      x[step.result] = x[step.first] + v;
      break;
    case FreeKind::SumSecondKnown:
      x[step.first] = v;
      x[step.result] = v + x[step.second];
      break;
    case FreeKind::SumResultKnown:
      x[step.first] = v;
      x[step.second] = x[step.result] - v;
      break;
    case FreeKind::ProductResultKnown:
      return false;  // never solved: its candidates are divisor pairs
  }
  return CheckGrid();
}

bool GridSearch::Derive(const GenStep<DerivedKind>& step) {
  int* x = x_.data();
  switch (step.kind) {
    case DerivedKind::ProductCheck:
      return x[step.first] * x[step.second] == x[step.result];
    case DerivedKind::SumCheck:
      return x[step.first] + x[step.second] == x[step.result];
    case DerivedKind::ProductFindsFirst:
      if (x[step.result] % x[step.second] != 0) return false;
      x[step.first] = x[step.result] / x[step.second];
      return true;
    case DerivedKind::SumFindsFirst:
      if (x[step.second] >= x[step.result]) return false;
      x[step.first] = x[step.result] - x[step.second];
      return true;
    case DerivedKind::ProductFindsSecond:
      if (x[step.result] % x[step.first] != 0) return false;
      x[step.second] = x[step.result] / x[step.first];
      return true;
    case DerivedKind::SumFindsSecond:
      if (x[step.first] >= x[step.result]) return false;
      x[step.second] = x[step.result] - x[step.first];
      return true;
    case DerivedKind::ProductFindsResult:
      if (x[step.first] * x[step.second] > max_) return false;
      x[step.result] = x[step.first] * x[step.second];
      return true;
    case DerivedKind::SumFindsResult:
      if (x[step.first] + x[step.second] > max_) return false;
      x[step.result] = x[step.first] + x[step.second];
      return true;
  }
  return false;
}

bool GridSearch::CheckGrid() {
  if (Stopping()) return true;  // unwinding, as in SearchStep
  for (const GenStep<DerivedKind>& step : plan_.derived) {
    if (!Derive(step)) return false;
  }
  for (int i = 1; i < kCellCount; ++i) {
    for (int j = 0; j < i; ++j) {
      if (x_[i] == x_[j]) return false;
    }
  }
  // At least one number as long as M, so that the maximum shows.
  for (const std::int32_t value : x_) {
    if (value > max_ / 10) return true;
  }
  return false;
}

bool GridSearch::CheckGrid(NumberGrid& grid, StopFlag& stop) {
  x_ = grid;
  stop_ = &stop;
  const bool accepted = CheckGrid();
  stop_ = nullptr;
  grid = x_;
  return accepted;
}

}  // namespace zifrel
