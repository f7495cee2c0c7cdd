#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/genera.h"
#include "app/hand_over.h"
#include "app/session.h"
#include "app/window_model.h"
#include "sheet/sheet_document.h"

namespace zifrel {

// The window's logic on the window model: the start-up steps, the control
// rules, the editing commands, copy and help, and job control. The Qt window
// forwards its events here and shows the model; tests drive it directly.
// Everything runs on the window thread.
class Workbench {
 public:
  // `wake` asks the window thread to run the jobs' hand-overs (see HandOver).
  // `seed` 0 seeds the random source from the clock, as the program always
  // does; tests give a fixed seed to get known Schemas.
  explicit Workbench(std::function<void()> wake = {}, std::int32_t seed = 0);
  // Closing while a job runs abandons it: stop requested, hand-over detached.
  ~Workbench();
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  WindowModel& Model() { return model_; }
  Session& SharedState() { return *session_; }
  HandOver& Hand() { return *handOver_; }
  bool Running() const { return running_; }
  int SpinnerIndex() const { return spinnerIndex_; }

  // Operator buttons and selectors.
  void Bo1Click() { CycleOp(1); }
  void Bo2Click() { CycleOp(2); }
  void Bo3Click() { CycleOp(3); }
  void Bo4Click() { CycleOp(4); }
  void Bo5Click() { CycleOp(5); }
  void Bo6Click() { CycleOp(6); }
  void CycleOp(int i);
  // An operator typed on its focused button: oi := op.
  void SetOp(int i, OpCode op);
  void OperazClick() { RefreshControls(); }
  void MaxNClick() { RefreshControls(); }
  void RandOpClick() { RefreshControls(); }

  // The control rules.
  void RefreshControls();
  void EnableOps();
  void DisableOps();

  // Commands.
  void CancClick();
  void CopiaClick();
  std::string CopyText() const;
  void HButtClick();
  // Stampa: the Schema in the cells as a sheet to print, titled with `note`,
  // with its answer key and level. Only a Schema with exactly one solution
  // is printed; otherwise the result is empty and the error reporter gets
  // the line Spiega writes for it.
  std::optional<SheetDocument> StampaSheet(std::string note);
  // Gioca: the Schema in the cells, with its answer key and level, for a
  // play window. Refused as Stampa refuses; nothing while a job runs or in
  // mode Libero, as for the other commands of the output area.
  std::optional<SheetSchema> GiocaSchema();

  // Job control.
  void Button1Click();
  void GeneraTerminate(Genera& job);
  void Timer1Timer();

  // The output area's context menu, on the Schema in the cells: each runs
  // as a job that Stop ends. Available while no job runs, in the modes
  // Genera and Risolvi.
  void SpiegaClick() { StartCommand(JobTask::kExplain); }
  void SuggerimentoClick() { StartCommand(JobTask::kHint); }
  void LivelloClick() { StartCommand(JobTask::kLevel); }
  bool SchemaCommandsAvailable() const;
  // The formula area's context menu: a new relation between words, as a job
  // that Stop ends. Available while no job runs, in mode Libero.
  void GeneraRelazioneClick() { StartCommand(JobTask::kWordPuzzle); }
  // And the explanation of its relation, when it is a sum of words.
  void SpiegaRelazioneClick() { StartCommand(JobTask::kExplainRelation); }
  bool WordPuzzleAvailable() const;

  // Where the copy text goes (the clipboard) and where a job's error is shown.
  void SetClipboardWriter(std::function<void(const std::string&)> writer) { clipboard_ = std::move(writer); }
  void SetErrorReporter(std::function<void(const std::string&)> reporter) { reportError_ = std::move(reporter); }
  // Tests: make jobs of a class of their own.
  void SetJobFactory(JobFactory factory) { jobFactory_ = std::move(factory); }

 private:
  void SetCommandsEnabled(bool enabled);
  void ShowLiberoCount();
  void StartCommand(JobTask task);
  std::optional<SheetSchema> GradedSchema();
  void StartJob(const JobRequest& request);

  WindowModel model_;
  std::shared_ptr<Session> session_ = std::make_shared<Session>();
  std::shared_ptr<HandOver> handOver_;
  std::shared_ptr<Genera> job_;
  bool running_ = false;  // Running
  int spinnerIndex_ = 0;  // SpinnerIndex: never reset, each job goes on where the last stopped
  JobFactory jobFactory_;
  std::function<void(const std::string&)> clipboard_;
  std::function<void(const std::string&)> reportError_;
};

}  // namespace zifrel
