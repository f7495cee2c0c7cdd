// Schema solver timings. Run: build/release/bench/zifrel_bench --benchmark_filter=Solve
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "generate/generator.h"
#include "generate/grid_plan.h"
#include "generate/grid_search.h"
#include "generate/random_operators.h"
#include "schema/cell_texts.h"
#include "schema/op_combo_table.h"
#include "schema/solver.h"

namespace zifrel {
namespace {

struct Puzzle {
  CellTexts cells;
  OpCodes ops;
};

// The grids the generator hands to its uniqueness test: every grid its grid
// search finds, with random operators, from a fixed seed.
std::vector<Puzzle> GeneratedGrids(int count) {
  GeneratorState generator;
  StartRandomSource(generator, 2026);
  GridSearch search(generator.divisorTable);
  StopFlag stop;
  std::vector<Puzzle> puzzles;
  while (static_cast<int>(puzzles.size()) < count) {
    search.DrawValueOrders(generator.random, 999);
    const OpCodes ops = DrawRandomOperators(generator.random);
    search.SetPlan(BuildPlan(ops));
    if (search.SearchGrid(stop) != SearchEnd::kFound) continue;
    Puzzle puzzle{{}, ops};
    for (int k = 0; k < kCellCount; ++k) puzzle.cells.SetNumber(k, search.Grid()[k]);
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

// Mean time per solve in the usual figure; the median over single, separately
// timed solves as the counter median_us.
void BM_SolveCountOnlyGrids999(benchmark::State& state) {
  const std::vector<Puzzle> puzzles = GeneratedGrids(1000);
  SchemaSolver solver;
  StopFlag stop;
  std::size_t i = 0;
  for (auto _ : state) {
    const Puzzle& p = puzzles[i++ % puzzles.size()];
    benchmark::DoNotOptimize(solver.SolveSchema(SolveMode::CountOnly, p.cells, p.ops, stop));
  }
  std::vector<double> us;
  for (int round = 0; round < 5; ++round) {
    for (const Puzzle& p : puzzles) {
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(solver.SolveSchema(SolveMode::CountOnly, p.cells, p.ops, stop));
      us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
  }
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size() / 2];
  state.counters["p95_us"] = us[us.size() * 95 / 100];
}
BENCHMARK(BM_SolveCountOnlyGrids999);

Puzzle FromTexts(std::initializer_list<const char*> texts, OpCodes ops) {
  Puzzle puzzle{{}, ops};
  int k = 0;
  for (const char* text : texts) puzzle.cells.Set(k++, text);
  return puzzle;
}

// Every cell ends in the same symbol, so the units test prunes almost nothing.
void BM_SolveSharedUnits(benchmark::State& state) {
  const Puzzle p = FromTexts({"BA", "CA", "DA", "EA", "FA", "GA", "HA", "IA", "JA"}, {0, 0, 0, 0, 0, 0});
  SchemaSolver solver;
  StopFlag stop;
  for (auto _ : state) benchmark::DoNotOptimize(solver.SolveSchema(SolveMode::CountOnly, p.cells, p.ops, stop));
}
BENCHMARK(BM_SolveSharedUnits)->Unit(benchmark::kMicrosecond);

void BM_SolveReportDefaultCells(benchmark::State& state) {
  const Puzzle p = FromTexts({"2", "3", "6", "4", "5", "20", "8", "15", "120"}, {0, 0, 0, 0, 0, 0});
  SchemaSolver solver;
  StopFlag stop;
  for (auto _ : state) {
    LineCollector out;
    benchmark::DoNotOptimize(solver.SolveSchema(SolveMode::Report, p.cells, p.ops, stop, &out));
  }
}
BENCHMARK(BM_SolveReportDefaultCells);

}  // namespace
}  // namespace zifrel
