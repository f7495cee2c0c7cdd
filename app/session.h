#pragma once

#include <atomic>
#include <cstdint>

#include "core/stop_flag.h"
#include "schema/cell_texts.h"
#include "schema/generator.h"

namespace zifrel {

// The state that lives for the whole run of the program and is shared by the
// window thread and the jobs. The window writes the job's inputs before the
// worker starts; afterwards only the two atomic words cross the threads.
struct Session {
  StopFlag StopRequested;
  std::atomic<std::int32_t> LiberoSolutionCount{0};  // running or last Libero job
  int JobMax = 999;                                  // 999 or 9999
  CellTexts cellTexts;                               // the Risolvi job's cells, copied at Vai
  // Seeded and built at start-up, then drawn on by one Genera job after
  // another, never reseeded: the window thread uses it only before the first
  // job, and at most one job runs at a time.
  GeneratorState generator;
};

}  // namespace zifrel
