// Grading and genera --livello timings, and the levels of generated Schemas.
// Run: build/release/bench/zifrel_bench --benchmark_filter='Grade|Level'
// The per-Schema figures are counters over single, separately timed runs:
// median_ms, p95_ms, p99_ms and max_ms; level1..level5 count the Schemas of each
// level among those graded.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "deduce/deduction.h"
#include "generate/generator.h"
#include "generate/graded_generation.h"

namespace zifrel {
namespace {

struct Puzzle {
  CellTexts cells;
  OpCodes ops;
};

// Generated Schemas, in their letters, from a fixed seed with random
// operators, as a user pressing Vai again and again.
std::vector<Puzzle> GeneratedSchemas(int max, int count) {
  GeneratorState generator;
  StartRandomSource(generator, 2025);
  SchemaGenerator schemas(generator);
  StopFlag stop;
  std::vector<Puzzle> puzzles;
  while (static_cast<int>(puzzles.size()) < count) {
    const std::optional<GeneratedSchema> schema = schemas.GenerateSchema(max, std::nullopt, stop);
    Puzzle puzzle{{}, schema->ops};
    for (int k = 0; k < kCellCount; ++k) puzzle.cells.Set(k, schema->cells[k]);
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

// Grading 1,000 generated Schemas, each timed alone; the level counts are
// the distribution of levels at that maximum.
void BM_GradeGenerated(benchmark::State& state) {
  const int max = static_cast<int>(state.range(0));
  const std::vector<Puzzle> puzzles = GeneratedSchemas(max, 1000);
  const auto deduction = std::make_unique<SchemaDeduction>();
  StopFlag stop;
  std::vector<double> ms;
  std::array<int, kLevelCount + 1> levels{};
  for (auto _ : state) {
    ms.clear();
    levels.fill(0);
    for (const Puzzle& puzzle : puzzles) {
      const Clock::time_point start = Clock::now();
      deduction->Deduce(puzzle.cells, puzzle.ops, stop);
      ms.push_back(Milliseconds(Clock::now() - start));
      ++levels[deduction->Level()];
    }
  }
  SetSpread(state, ms);
  for (int level = 1; level <= kLevelCount; ++level) state.counters["level" + std::to_string(level)] = levels[level];
}
BENCHMARK(BM_GradeGenerated)->Arg(999)->Arg(9999)->Iterations(1)->Unit(benchmark::kSecond);

// genera --livello N with 999: the time per Schema of the level, drawing and
// grading included, over consecutive jobs from one seed.
void BM_GenerateLevel999(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  std::vector<double> ms;
  for (auto _ : state) {
    GeneratorState generator;
    StartRandomSource(generator, 77);
    SchemaGenerator schemas(generator);
    const auto deduction = std::make_unique<SchemaDeduction>();
    StopFlag stop;
    for (int job = 0; job < 40; ++job) {
      const Clock::time_point start = Clock::now();
      benchmark::DoNotOptimize(GenerateSchemaOfLevel(schemas, *deduction, 999, std::nullopt, level, stop));
      ms.push_back(Milliseconds(Clock::now() - start));
    }
  }
  SetSpread(state, ms);
}
BENCHMARK(BM_GenerateLevel999)->DenseRange(1, kLevelCount)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zifrel
