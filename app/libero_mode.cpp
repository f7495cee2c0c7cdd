#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/genera.h"
#include "libero/libero_job.h"

namespace zifrel {

// Mode Libero: the relations of the formula area, solved and reported. The
// formula area is read once, and rewritten with the kept relations before
// the search begins, both on the window thread.
void Genera::RunLibero() {
  std::vector<std::string> lines;
  OnWindow([&lines](WindowModel& w) { lines = w.Libe.Lines(); });
  const auto keep = [this](std::span<const std::string> kept) {
    OnWindow([kept](WindowModel& w) {
      w.Libe.Clear();
      for (const std::string& line : kept) w.Libe.AddLine(line);
    });
  };
  const auto job = std::make_unique<libero::FreeRelations>();
  // Every core counts; the report is the same as on one.
  job->UseThreads(static_cast<int>(std::thread::hardware_concurrency()));
  job->SolveFreeRelations(lines, keep, *this, session().StopRequested, session().LiberoSolutionCount);
}

}  // namespace zifrel
