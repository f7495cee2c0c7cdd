#include <string>

#include "app/workbench.h"
#include "core/messages.h"

namespace zifrel {

void Workbench::Button1Click() {
  if (running_) {  // Stop: the worker sees the flag at its next step
    session_->StopRequested.Request();
    model_.Button1.enabled = false;
    model_.Button1.caption = msg::kWait;
    return;
  }

  StartJob(RequestFrom(model_, JobTask::kSearch));
}

bool Workbench::SchemaCommandsAvailable() const {
  return !running_ && model_.Operaz.itemIndex != static_cast<int>(JobMode::Libero);
}

bool Workbench::WordPuzzleAvailable() const {
  return !running_ && model_.Operaz.itemIndex == static_cast<int>(JobMode::Libero);
}

void Workbench::StartCommand(JobTask task) {
  const bool onTheFormulas = task == JobTask::kWordPuzzle || task == JobTask::kExplainRelation;
  const bool available = onTheFormulas ? WordPuzzleAvailable() : SchemaCommandsAvailable();
  if (available) StartJob(RequestFrom(model_, task));
}

// Vai, or a command of a context menu: the job works on what the window holds
// now; later edits do not reach it. Vai turns into Stop, which ends it.
void Workbench::StartJob(const JobRequest& request) {
  running_ = true;
  session_->StopRequested.Reset();
  SetCommandsEnabled(false);
  for (ButtonControl& button : model_.Bo) button.enabled = false;
  model_.Button1.enabled = true;  // a command may start where Vai was blocked
  model_.Button1.caption = msg::kStop;

  if (job_) job_->Join();  // the last job has already handed back the window
  job_ = jobFactory_({handOver_, model_, session_}, request);
  job_->Start([this](Genera& job) { GeneraTerminate(job); });
}

void Workbench::GeneraTerminate(Genera& job) {
  running_ = false;
  model_.Button1.caption = msg::kGo;
  model_.Button1.enabled = true;
  SetCommandsEnabled(true);
  ShowLiberoCount();
  RefreshControls();
  if (!job.Error().empty() && reportError_) reportError_(job.Error());
}

void Workbench::Timer1Timer() {
  if (!running_) {
    model_.Giro.visible = false;
    return;
  }
  model_.Giro.visible = true;
  spinnerIndex_ = (spinnerIndex_ + 1) % 7;  // the text's second trailing blank is never shown
  model_.Giro.caption = std::string(1, msg::kSpinnerText[spinnerIndex_]);
  ShowLiberoCount();
}

// In mode Libero, the count the search has reached so far.
void Workbench::ShowLiberoCount() {
  if (model_.Operaz.itemIndex == static_cast<int>(JobMode::Libero)) {
    model_.SolLab.caption = std::to_string(session_->LiberoSolutionCount.load());
  }
}

// The selectors and commands a running job must not see change.
void Workbench::SetCommandsEnabled(bool enabled) {
  model_.Operaz.enabled = enabled;
  model_.MaxN.enabled = enabled;
  model_.RandOp.enabled = enabled;
  model_.Copia.enabled = enabled;
  model_.Canc.enabled = enabled;
  model_.HButt.enabled = enabled;
}

}  // namespace zifrel
