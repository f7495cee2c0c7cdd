// Schema generator timings. Run: build/release/bench/zifrel_bench --benchmark_filter=Gener
// The per-Schema figures are counters: median_ms, p95_ms, p99_ms and max_ms over the
// jobs of one run from a fixed seed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/spread.h"
#include "generate/generator.h"
#include "schema/op_combo_table.h"

namespace zifrel {
namespace {

void BM_SeedAndBuildDivisorTable(benchmark::State& state) {
  GeneratorState generator;
  for (auto _ : state) {
    StartRandomSource(generator, 1);
    benchmark::DoNotOptimize(generator.divisorTable.Total());
  }
}
BENCHMARK(BM_SeedAndBuildDivisorTable)->Unit(benchmark::kMillisecond);

// Consecutive jobs with random operators from one seed, as a user pressing
// Vai again and again after start-up.
void BM_GenerateSchema(benchmark::State& state) {
  const int max = static_cast<int>(state.range(0));
  const int jobs = static_cast<int>(state.range(1));
  std::vector<double> ms;
  long attempts = 0, tests = 0;
  for (auto _ : state) {
    GeneratorState generator;
    StartRandomSource(generator, 2024);
    SchemaGenerator schemas(generator);
    StopFlag stop;
    for (int job = 0; job < jobs; ++job) {
      const Clock::time_point start = Clock::now();
      benchmark::DoNotOptimize(schemas.GenerateSchema(max, std::nullopt, stop));
      ms.push_back(Milliseconds(Clock::now() - start));
      attempts += schemas.Counts().attempts;
      tests += schemas.Counts().uniquenessTests;
    }
  }
  SetSpread(state, ms);
  state.counters["attempts_per_job"] = static_cast<double>(attempts) / static_cast<double>(ms.size());
  state.counters["tests_per_job"] = static_cast<double>(tests) / static_cast<double>(ms.size());
}
BENCHMARK(BM_GenerateSchema)->Args({999, 500})->Args({9999, 1000})->Iterations(1)->Unit(benchmark::kSecond);

// Stops a job that runs longer than a limit, so that a combination that never
// yields a Schema shows as a failure instead of a hang.
class Watchdog {
 public:
  Watchdog(StopFlag& stop, std::chrono::seconds limit)
      : thread_([this, &stop, limit] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, limit, [this] { return finished_; })) stop.Request();
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

std::string Glyphs(const OpCodes& ops) {
  std::string text;
  for (OpCode op : ops) text += OperatorGlyph(op);
  return text;
}

// Every admitted combination, fixed, generates a Schema: with 999 as the
// window allows, and with 9999, whose attempts have a budget of work, so
// that no combination a job may draw starves.
void BM_AllAdmittedCombinations(benchmark::State& state) {
  const int max = static_cast<int>(state.range(0));
  std::vector<double> ms;
  std::string slowest;
  double slowestMs = 0;
  int failed = 0;
  for (auto _ : state) {
    GeneratorState generator;
    StartRandomSource(generator, 7);
    SchemaGenerator schemas(generator);
    for (int code = 0; code < 4096; ++code) {
      if (!IsAdmittedCode(code)) continue;
      const OpCodes ops = OpCodesOfCode(code);
      StopFlag stop;
      const Clock::time_point start = Clock::now();
      bool found;
      {
        Watchdog watchdog(stop, std::chrono::seconds(60));
        found = schemas.GenerateSchema(max, ops, stop).has_value();
      }
      const double took = Milliseconds(Clock::now() - start);
      ms.push_back(took);
      failed += !found;
      if (!found) std::fprintf(stderr, "no Schema with %s (%d)\n", Glyphs(ops).c_str(), code);
      if (took > slowestMs) slowestMs = took, slowest = Glyphs(ops);
    }
  }
  SetSpread(state, ms);
  state.counters["failed"] = failed;
  state.SetLabel("slowest " + slowest);
  if (failed > 0) state.SkipWithError("a combination gave no Schema within a minute");
}
BENCHMARK(BM_AllAdmittedCombinations)->Arg(999)->Arg(9999)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zifrel
