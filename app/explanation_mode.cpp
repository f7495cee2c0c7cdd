#include "app/genera.h"
#include "core/messages.h"
#include "deduce/explain.h"
#include "schema/op_combo_table.h"

namespace zifrel {

// "Spiega", "Suggerimento" and "Livello": the Schema in the cells, with the
// window's operators, explained, hinted at or graded into the output area.
// Operators that admit no Schema are refused as Risolvi refuses them.
void Genera::RunExplanation() {
  if (!IsAdmitted(request_.ops)) {
    AppendLine(msg::kNoPossibleSolution);
    return;
  }
  StopFlag& stop = session().StopRequested;
  switch (request_.task) {
    case JobTask::kExplain:
      // One line a step: the output area wraps it to its own width.
      Explain(request_.cells, request_.ops, stop, *this, kAllSteps, {}, 0);
      break;
    case JobTask::kHint:
      Hint(request_.cells, request_.ops, stop, *this, {}, 0);
      break;
    default:
      WriteLevel(request_.cells, request_.ops, stop, *this);
  }
}

}  // namespace zifrel
