#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "app/hand_over.h"
#include "app/session.h"
#include "app/window_model.h"
#include "core/line_sink.h"
#include "schema/operators.h"
#include "schema/solver.h"

namespace zifrel {

enum class JobMode { Genera = 0, Risolvi = 1, Libero = 2 };  // Operaz's ItemIndex

// One job: one search on a worker thread. Everything it does to the window is
// handed over to the window thread, and it waits until that is done.
class Genera : public LineSink, public std::enable_shared_from_this<Genera> {
 public:
  using Terminate = std::function<void(Genera&)>;

  Genera(std::shared_ptr<HandOver> handOver, WindowModel& window, std::shared_ptr<Session> session,
         const OpCodes& currentOps, int randOpIndex, int operazIndex);
  ~Genera() override;
  Genera(const Genera&) = delete;
  Genera& operator=(const Genera&) = delete;

  // Starts the worker. When Execute has returned, normally or with an
  // error, `onTerminate` runs on the window thread while the worker waits.
  void Start(Terminate onTerminate);

  // The thread body: clears the output area, then runs the job's mode.
  virtual void Execute();

  // Adds a line at the end of the output area; returns once it is there.
  void AppendLine(std::string_view line) override;

  // Window thread, after the job's terminate handler has run.
  void Join();
  // Window thread, when the window goes away while the job runs: the job
  // finishes on its own, touching nothing of the window.
  void Abandon();

  JobMode Mode() const { return mode_; }
  // Why Execute ended with an error; empty when it did not.
  const std::string& Error() const { return error_; }

 protected:
  // Carries out `op` on the window thread and waits for it; false once the
  // window is gone.
  bool OnWindow(const std::function<void(WindowModel&)>& op);

  Session& session() { return *session_; }
  const OpCodes& JobOps() const { return jobOps_; }

 private:
  // The three modes; each in a file of its own.
  void RunGenera();
  void RunRisolvi();
  void RunLibero();

  std::shared_ptr<HandOver> handOver_;
  WindowModel& window_;  // touched only in operations handed over
  std::shared_ptr<Session> session_;
  OpCodes jobOps_{};
  JobMode mode_;
  int randomOps_;  // 1: a Genera job draws its own operators
  SchemaSolver solver_;
  std::string error_;
  std::thread thread_;
};

}  // namespace zifrel
