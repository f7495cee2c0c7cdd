#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace zifrel {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The spread of single, separately timed runs, as counters: mean_ms,
// median_ms, p95_ms, p99_ms, max_ms and jobs.
inline void SetSpread(benchmark::State& state, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  double total = 0;
  for (const double m : ms) total += m;
  state.counters["mean_ms"] = total / static_cast<double>(ms.size());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
  state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
  state.counters["max_ms"] = ms.back();
  state.counters["jobs"] = static_cast<double>(ms.size());
}

}  // namespace zifrel
