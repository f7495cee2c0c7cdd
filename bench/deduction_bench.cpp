// Grading and genera --livello timings, and the levels of generated Schemas.
// Run: build/release/bench/zifrel_bench --benchmark_filter='Grade|Level'
// The per-Schema figures are counters over single, separately timed runs:
// median_ms, p95_ms, p99_ms and max_ms. BM_GradeGenerated also counts, per
// level N: levelN (Schemas), freeN (of those, how many the small trial-free
// solver solves), stepsN (the median explanation length in steps); and
// deletable_pct, the share of explained steps that could be left out one at
// a time with the rest still following (unpruned_deletable_pct: the same of
// the deduction's steps before the unneeded ones are left out).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "bench/trial_free_solver.h"
#include "deduce/deduction.h"
#include "deduce/explanation_plan.h"
#include "generate/generator.h"
#include "generate/graded_generation.h"

namespace zifrel {
namespace {

struct Puzzle {
  std::array<std::string, kCellCount> letters;
  CellTexts cells;
  OpCodes ops;
};

// Generated Schemas, in their letters, from a fixed seed with random
// operators, as a user pressing Vai again and again.
std::vector<Puzzle> GeneratedSchemas(int max, int count, const std::optional<OpCodes>& ops = std::nullopt) {
  GeneratorState generator;
  StartRandomSource(generator, 2025);
  SchemaGenerator schemas(generator);
  StopFlag stop;
  std::vector<Puzzle> puzzles;
  while (static_cast<int>(puzzles.size()) < count) {
    const std::optional<GeneratedSchema> schema = schemas.GenerateSchema(max, ops, stop);
    Puzzle puzzle{schema->cells, {}, schema->ops};
    for (int k = 0; k < kCellCount; ++k) puzzle.cells.Set(k, schema->cells[k]);
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

// 1: the operators fixed at × × × × × ×, the ones that least often make
// the harder levels; 0: random operators.
std::optional<OpCodes> FixedOps(std::int64_t fixed) {
  if (fixed == 0) return std::nullopt;
  return OpCodes{kMultiply, kMultiply, kMultiply, kMultiply, kMultiply, kMultiply};
}

double Median(std::vector<int> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Grading 1,000 generated Schemas, each timed alone; the level counts are
// the distribution of levels at that maximum. Arguments: the maximum, and
// 1 for the operators fixed at × × × × × ×.
void BM_GradeGenerated(benchmark::State& state) {
  const int max = static_cast<int>(state.range(0));
  const std::vector<Puzzle> puzzles = GeneratedSchemas(max, 1000, FixedOps(state.range(1)));
  const auto deduction = std::make_unique<SchemaDeduction>();
  StopFlag stop;
  std::vector<double> ms;
  std::array<int, kLevelCount + 1> levels{}, free{};
  std::array<std::vector<int>, kLevelCount + 1> steps;
  int kept = 0, deletable = 0, all = 0, deletableBefore = 0;
  TrialFreeSolver solver;
  for (auto _ : state) {
    for (const Puzzle& puzzle : puzzles) {
      const Clock::time_point start = Clock::now();
      deduction->Deduce(puzzle.cells, puzzle.ops, stop);
      ms.push_back(Milliseconds(Clock::now() - start));
      const int level = deduction->Level();
      ++levels[level];
      free[level] += solver.Solves(puzzle.letters, puzzle.ops);
      ExplanationPlan plan;
      PlanExplanation(*deduction, stop, plan);
      steps[level].push_back(plan.numbered);
      const StepsNeeded needed = MeasureSteps(*deduction, stop);
      kept += needed.kept;
      deletable += needed.deletable;
      all += needed.steps;
      deletableBefore += needed.deletableBefore;
    }
  }
  SetSpread(state, ms);
  for (int level = 1; level <= kLevelCount; ++level) {
    const std::string n = std::to_string(level);
    state.counters["level" + n] = levels[level];
    state.counters["free" + n] = free[level];
    state.counters["steps" + n] = Median(steps[level]);
  }
  state.counters["deletable_pct"] = kept == 0 ? 0 : 100.0 * deletable / kept;
  state.counters["unpruned_deletable_pct"] = all == 0 ? 0 : 100.0 * deletableBefore / all;
}
BENCHMARK(BM_GradeGenerated)->Args({999, 0})->Args({9999, 0})->Args({999, 1})->Iterations(1)->Unit(benchmark::kSecond);

// genera --livello N: the time per Schema of the level, drawing and grading
// included, over consecutive jobs from one seed. Arguments: the level, the
// maximum, and 1 for the operators fixed at × × × × × ×.
void BM_GenerateLevel(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const int max = static_cast<int>(state.range(1));
  const std::optional<OpCodes> ops = FixedOps(state.range(2));
  std::vector<double> ms;
  int notFound = 0;
  for (auto _ : state) {
    GeneratorState generator;
    StartRandomSource(generator, 77);
    SchemaGenerator schemas(generator);
    const auto deduction = std::make_unique<SchemaDeduction>();
    StopFlag stop;
    for (int job = 0; job < 20; ++job) {
      const Clock::time_point start = Clock::now();
      const LevelDraw draw = GenerateSchemaOfLevel(schemas, *deduction, max, ops, level, stop);
      ms.push_back(Milliseconds(Clock::now() - start));
      if (draw.outcome != SearchEnd::kFound) ++notFound;
    }
  }
  SetSpread(state, ms);
  state.counters["not_found"] = notFound;
}
BENCHMARK(BM_GenerateLevel)
    ->ArgsProduct({{1, 2, 3, 4, 5}, {999, 9999}, {0}})
    ->ArgsProduct({{1, 2, 3, 4, 5}, {999}, {1}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zifrel
