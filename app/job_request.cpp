#include "app/job_request.h"

namespace zifrel {

JobRequest RequestFrom(const WindowModel& window, JobTask task) {
  JobRequest request;
  request.task = task;
  request.mode = static_cast<JobMode>(window.Operaz.itemIndex);
  request.max = window.MaxN.itemIndex == 0 ? 999 : 9999;
  request.source = static_cast<OperatorSource>(window.RandOp.itemIndex);
  // A Risolvi job and every command on the Schema in the cells work on the
  // window's cells and operators, a Genera job with fixed operators on its
  // operators alone; the others draw their own or use none.
  const bool onTheCells = task == JobTask::kExplain || task == JobTask::kHint || task == JobTask::kLevel ||
                          (task == JobTask::kSearch && request.mode == JobMode::Risolvi);
  const bool fixedGenera =
      task == JobTask::kSearch && request.mode == JobMode::Genera && request.source == OperatorSource::kFixed;
  if (onTheCells || fixedGenera) request.ops = window.CurrentOps;
  if (onTheCells) {
    for (int k = 0; k < kCellCount; ++k) request.cells.Set(k, window.Ed[k].Text());
  }
  return request;
}

}  // namespace zifrel
