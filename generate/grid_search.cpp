#include "generate/grid_search.h"

#include <algorithm>
#include <span>

#include "generate/last_step.h"

namespace zifrel {

GridSearch::GridSearch(const DivisorTable& divisors) : divisors_(divisors), orders_(4 * (kLargestMax + 1)) {}

void GridSearch::DrawValueOrders(SubtractiveRng& rng, int max) {
  max_ = max;
  positionsReady_ = false;
  for (int i = 0; i < 4; ++i) {
    RandomPermutation(rng, std::span(orders_).subspan(i * (kLargestMax + 1), max + 1), max);
  }
}

void GridSearch::SetPlan(const GenPlan& plan) {
  plan_ = plan;
  planWalksLastStep_ = plan.free[1].kind == FreeKind::kProductResultKnown;
}

SearchEnd GridSearch::SearchGrid(StopFlag& stop) {
  stop_ = &stop;
  stopped_ = false;
  exhausted_ = false;
  work_ = 0;
  const StepEnd end = SearchSeed();
  stop_ = nullptr;
  if (stopped_) return SearchEnd::kStopped;
  return end == StepEnd::kFound ? SearchEnd::kFound : SearchEnd::kNone;
}

// Every step asks; once a poll has seen the stop, or the work of an attempt
// with maximum 9999 is used up, the search unwinds.
bool GridSearch::Stopping() {
  work_ += kStepWork;
  stopped_ = stopped_ || stop_->Poll();
  exhausted_ = exhausted_ || (max_ == kLargestMax && work_ > attemptWork_);
  return stopped_ || exhausted_;
}

// The seed equation's three cells, chosen together: for a product every
// factor pair of every number in V2's order, for a sum every pair from V2
// and V3 whose total fits.
GridSearch::StepEnd GridSearch::SearchSeed() {
  const SchemaEquation& seed = plan_.seed;
  const std::uint32_t* v2 = Order(2);
  const std::uint32_t* v3 = Order(3);
  if (seed.form == EquationForm::Product) {
    for (int i = 1; i <= max_; ++i) {
      const int n = static_cast<int>(v2[i]);
      for (const int d : divisors_.List(n)) {
        ++work_;
        if (Stopping()) return StepEnd::kUnwind;
        x_[seed.result] = n;
        x_[seed.first] = d;
        x_[seed.second] = n / d;
        if (const StepEnd end = SearchStep<0>(); end != StepEnd::kContinue) return end;
      }
    }
    return StepEnd::kContinue;
  }
  for (int i = 1; i <= max_; ++i) {
    if (Stopping()) return StepEnd::kUnwind;
    const int u = static_cast<int>(v2[i]);
    for (int j = 1; j <= max_; ++j) {
      ++work_;
      const int w = static_cast<int>(v3[j]);
      if (u + w > max_) continue;
      x_[seed.first] = u;
      x_[seed.second] = w;
      x_[seed.result] = u + w;
      if (const StepEnd end = SearchStep<0>(); end != StepEnd::kContinue) return end;
    }
  }
  return StepEnd::kContinue;
}

// Free step `Level` walks its candidates in its own value order (or, for a
// product whose result is known, in the divisor list's order) and goes on to
// the next step with each one that fits.
template <int Level>
GridSearch::StepEnd GridSearch::SearchStep() {
  if (Stopping()) return StepEnd::kUnwind;
  const auto next = [this] {
    if constexpr (Level == 0) {
      return SearchStep<1>();
    } else {
      return CheckGrid();
    }
  };
  const GenStep<FreeKind>& step = plan_.free[Level];
  // Where the derived steps narrow the last step's values down to a few,
  // those are tried in the order of the walk instead of walking them all:
  // the first that passes is the one the walk would stop at.
  if constexpr (Level == 1) {
    if (!planWalksLastStep_ && !testWalksLastStep_) {
      LastValues values = CandidateLastValues(plan_, x_, max_, divisors_);
      if (values.kind == LastValues::Kind::kListed) return TryListedValues(step, values);
    }
  }
  const std::uint32_t* order = Order(Level);
  int* x = x_.data();
  switch (step.kind) {
    case FreeKind::kProductFirstKnown:
    case FreeKind::kProductSecondKnown: {
      const bool firstKnown = step.kind == FreeKind::kProductFirstKnown;
      const int known = x[firstKnown ? step.first : step.second];
      const int chosen = firstKnown ? step.second : step.first;
      for (int i = 1; i <= max_; ++i) {
        ++work_;
        const int v = static_cast<int>(order[i]);
        if (v * known > max_) continue;
        x[chosen] = v;
        x[step.result] = v * known;
        if (const StepEnd end = next(); end != StepEnd::kContinue) return end;
      }
      break;
    }
    case FreeKind::kSumFirstKnown:
    case FreeKind::kSumSecondKnown: {
      const bool firstKnown = step.kind == FreeKind::kSumFirstKnown;
      const int known = x[firstKnown ? step.first : step.second];
      const int chosen = firstKnown ? step.second : step.first;
      for (int i = 1; i <= max_; ++i) {
        ++work_;
        const int v = static_cast<int>(order[i]);
        if (v + known > max_) continue;
        x[chosen] = v;
        x[step.result] = v + known;
        if (const StepEnd end = next(); end != StepEnd::kContinue) return end;
      }
      break;
    }
    case FreeKind::kProductResultKnown: {
      const int n = x[step.result];
      for (const int d : divisors_.List(n)) {
        ++work_;
        x[step.first] = d;
        x[step.second] = n / d;
        if (const StepEnd end = next(); end != StepEnd::kContinue) return end;
      }
      break;
    }
    case FreeKind::kSumResultKnown: {
      const int n = x[step.result];
      for (int i = 1; i <= max_; ++i) {
        ++work_;
        const int v = static_cast<int>(order[i]);
        if (v >= n) continue;
        x[step.first] = v;
        x[step.second] = n - v;
        if (const StepEnd end = next(); end != StepEnd::kContinue) return end;
      }
      break;
    }
  }
  return StepEnd::kContinue;
}

// The listed values in the order the walk meets them, each through the
// step and the check.
GridSearch::StepEnd GridSearch::TryListedValues(const GenStep<FreeKind>& step, LastValues& values) {
  if (values.count > 1) {
    if (!positionsReady_) {
      const std::uint32_t* order = Order(1);
      for (int i = 1; i <= max_; ++i) positions_[order[i]] = i;
      positionsReady_ = true;
    }
    std::sort(values.values.begin(), values.values.begin() + values.count,
              [this](std::int32_t a, std::int32_t b) { return positions_[a] < positions_[b]; });
  }
  for (int i = 0; i < values.count; ++i) {
    ++work_;
    if (const StepEnd end = TryFreeValue(step, values.values[i]); end != StepEnd::kContinue) return end;
  }
  return StepEnd::kContinue;
}

// The cells that the last free step sets for the value `v`, then the check.
GridSearch::StepEnd GridSearch::TryFreeValue(const GenStep<FreeKind>& step, int v) {
  SetFreeCells(step, x_, v);
  return CheckGrid();
}

bool GridSearch::Derive(const GenStep<DerivedKind>& step) {
  int* x = x_.data();
  switch (step.kind) {
    case DerivedKind::kProductCheck:
      return x[step.first] * x[step.second] == x[step.result];
    case DerivedKind::kSumCheck:
      return x[step.first] + x[step.second] == x[step.result];
    case DerivedKind::kProductFindsFirst:
      if (x[step.result] % x[step.second] != 0) return false;
      x[step.first] = x[step.result] / x[step.second];
      return true;
    case DerivedKind::kSumFindsFirst:
      if (x[step.second] >= x[step.result]) return false;
      x[step.first] = x[step.result] - x[step.second];
      return true;
    case DerivedKind::kProductFindsSecond:
      if (x[step.result] % x[step.first] != 0) return false;
      x[step.second] = x[step.result] / x[step.first];
      return true;
    case DerivedKind::kSumFindsSecond:
      if (x[step.first] >= x[step.result]) return false;
      x[step.second] = x[step.result] - x[step.first];
      return true;
    case DerivedKind::kProductFindsResult:
      if (x[step.first] * x[step.second] > max_) return false;
      x[step.result] = x[step.first] * x[step.second];
      return true;
    case DerivedKind::kSumFindsResult:
      if (x[step.first] + x[step.second] > max_) return false;
      x[step.result] = x[step.first] + x[step.second];
      return true;
  }
  return false;
}

GridSearch::StepEnd GridSearch::CheckGrid() {
  if (Stopping()) return StepEnd::kUnwind;
  for (const GenStep<DerivedKind>& step : plan_.derived) {
    if (!Derive(step)) return StepEnd::kContinue;
  }
  for (int i = 1; i < kCellCount; ++i) {
    for (int j = 0; j < i; ++j) {
      if (x_[i] == x_[j]) return StepEnd::kContinue;
    }
  }
  // At least one number as long as M, so that the maximum shows.
  for (const std::int32_t value : x_) {
    if (value > max_ / 10) return StepEnd::kFound;
  }
  return StepEnd::kContinue;
}

bool GridSearch::CheckGrid(NumberGrid& grid, StopFlag& stop) {
  x_ = grid;
  stop_ = &stop;
  stopped_ = false;  // a search that ended early must not make every grid pass
  exhausted_ = false;
  work_ = 0;
  const bool passed = CheckGrid() == StepEnd::kFound;
  stop_ = nullptr;
  grid = x_;
  return passed;
}

}  // namespace zifrel
