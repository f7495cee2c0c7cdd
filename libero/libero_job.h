#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/line_sink.h"
#include "core/stop_flag.h"
#include "libero/free_search.h"
#include "libero/relation_check.h"
#include "libero/relation_code.h"
#include "libero/variable_table.h"

namespace zifrel::libero {

// How a Libero job ended: its search ran to the end, or was stopped, or its
// input was refused with an error report.
enum class JobEnd { kSearched, kStopped, kRefused };

// Rewrites the formula area with the relations the job keeps, as typed.
using KeepRelations = std::function<void(std::span<const std::string>)>;

// The relation that leads the search, and its reading.
struct PilotRelation {
  int relation = -1;
  Reading mode = Reading::kFull;
  int variables = 0;  // numbered 1..variables
};

// One Libero job: reads the formula lines, keeps the relations, checks and
// compiles them, searches every assignment of distinct digits to their
// letters and reports. Holds all of a job's state, so a fresh object is a
// fresh job; one object may also run any number of jobs in turn.
class FreeRelations {
 public:
  // `lines` are the formula area's lines, UTF-8, as typed. The report goes to
  // `out`; `solutionCount` counts the solutions as they are found, for a
  // reader on another thread, and keeps its last value when the job ends
  // before its search.
  JobEnd SolveFreeRelations(std::span<const std::string> lines, const KeepRelations& keep, LineSink& out,
                            StopFlag& stop, std::atomic<std::int32_t>& solutionCount);

  // Jobs from now on end their search, as completed, once they have counted
  // `limit` solutions: a count of 2 already says "not unique".
  void LimitSolutions(std::int32_t limit) { search_.LimitSolutions(limit); }

  // Jobs from now on search on up to `threads` threads (1, the default: on
  // the calling thread alone). The report is the same, byte for byte,
  // whatever the number.
  void UseThreads(int threads) { search_.UseThreads(threads); }

 private:
  // What became of the relations kept: searched to the end, stopped, or
  // refused for the `check` of relation `relation` (kTooManyVariables, with
  // relation -1, when all of them together have more than ten letters).
  struct Prepared {
    JobEnd end = JobEnd::kSearched;
    int relation = -1;
    CheckCode check = kCheckOk;
  };
  Prepared PrepareAndSearch();

  std::vector<std::string> kept_;      // the relations as typed
  std::vector<std::u32string> texts_;  // the same, normalised by their checks
  std::vector<RelationCode> codes_;
  VariableTable table_;
  RelationCode scratch_;
  PilotRelation pilot_;
  FreeSearch search_;

  LineSink* out_ = nullptr;
  StopFlag* stop_ = nullptr;
  std::atomic<std::int32_t>* count_ = nullptr;
};

}  // namespace zifrel::libero
