// Schema solver timings. Run: build/release/bench/zifrel_bench --benchmark_filter=Solve
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "schema/cell_texts.h"
#include "schema/solver.h"

namespace zifrel {
namespace {

struct Puzzle {
  CellTexts cells;
  OpCodes ops;
};

bool Apply(OpCode op, int a, int b, int& r) {
  switch (op) {
    case kMultiply: r = a * b; break;
    case kPlus: r = a + b; break;
    case kDivide:
      if (a % b != 0) return false;
      r = a / b;
      break;
    default:
      r = a - b;
  }
  return r >= 1 && r <= 999;
}

// Number grids of the kind the generator hands to the solver: nine distinct
// numbers 1..999, at least one above 99, written as their digits.
std::vector<Puzzle> GridsLikeGenerated(int count) {
  std::mt19937 rng(2026);
  std::vector<Puzzle> puzzles;
  while (static_cast<int>(puzzles.size()) < count) {
    int x[9];
    OpCodes ops;
    for (OpCode& op : ops) op = static_cast<OpCode>(rng() % 4);
    for (int k : {0, 1, 3, 4}) x[k] = 1 + static_cast<int>(rng() % (rng() % 2 ? 30 : 400));
    int row3, column3;
    if (!Apply(ops[0], x[0], x[1], x[2]) || !Apply(ops[1], x[3], x[4], x[5]) || !Apply(ops[3], x[0], x[3], x[6]) ||
        !Apply(ops[4], x[1], x[4], x[7]) || !Apply(ops[2], x[6], x[7], row3) || !Apply(ops[5], x[2], x[5], column3) ||
        row3 != column3) {
      continue;
    }
    x[8] = row3;
    bool distinct = true, large = false;
    for (int i = 0; i < 9; ++i) {
      large |= x[i] > 99;
      for (int j = 0; j < i; ++j) distinct &= x[i] != x[j];
    }
    if (!distinct || !large) continue;
    Puzzle puzzle{{}, ops};
    for (int k = 0; k < 9; ++k) puzzle.cells.SetNumber(k, x[k]);
    puzzles.push_back(puzzle);
  }
  return puzzles;
}

void BM_SolveCountOnlyGrids999(benchmark::State& state) {
  const std::vector<Puzzle> puzzles = GridsLikeGenerated(1000);
  SchemaSolver solver;
  StopFlag stop;
  std::size_t i = 0;
  for (auto _ : state) {
    const Puzzle& p = puzzles[i++ % puzzles.size()];
    benchmark::DoNotOptimize(solver.SolveSchema(SolveMode::CountOnly, p.cells, p.ops, stop));
  }
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
