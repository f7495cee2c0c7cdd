#pragma once

#include <chrono>

#include "app/workbench.h"

namespace zifrel::testing {

// The test thread plays the window thread: it carries out the jobs'
// hand-overs until the condition holds. False when it never does.
template <class Condition>
bool PumpUntil(Workbench& bench, Condition done, std::chrono::seconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    bench.Hand().WaitAndRunPending(std::chrono::milliseconds(5));
  }
  return true;
}

inline bool PumpUntilIdle(Workbench& bench) {
  return PumpUntil(bench, [&] { return !bench.Running(); });
}

}  // namespace zifrel::testing
