#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/stop_flag.h"
#include "generate/generator.h"
#include "parole/relation_generator.h"
#include "parole/word_list.h"

namespace zifrel {

// The state that lives for the whole run of the program and is shared by the
// window thread and the jobs. A job's inputs travel in its request; only the
// two atomic words cross the threads while it runs.
struct Session {
  StopFlag StopRequested;
  std::atomic<std::int32_t> LiberoSolutionCount{0};  // running or last Libero job
  // Seeded and built at start-up, then drawn on by one Genera job after
  // another, never reseeded: the window thread uses it only before the first
  // job, and at most one job runs at a time.
  GeneratorState generator;
  // The word list and the generator of word puzzles, made by the first job
  // that needs them and kept, so that no relation comes twice. Jobs only.
  std::unique_ptr<parole::WordList> words;
  std::unique_ptr<parole::RelationGenerator> wordPuzzles;
};

}  // namespace zifrel
