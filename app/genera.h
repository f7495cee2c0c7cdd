#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "app/hand_over.h"
#include "app/job_request.h"
#include "app/session.h"
#include "app/window_model.h"
#include "core/line_sink.h"
#include "schema/solver.h"

namespace zifrel {

// What every job works with besides its request: the hand-over to the
// window thread, the window model it may touch only through it, and the
// state the whole run shares.
struct JobContext {
  std::shared_ptr<HandOver> handOver;
  WindowModel& window;
  std::shared_ptr<Session> session;
};

// One job: one search on a worker thread. Everything it does to the window is
// handed over to the window thread, and it waits until that is done.
class Genera : public LineSink, public std::enable_shared_from_this<Genera> {
 public:
  using Terminate = std::function<void(Genera&)>;

  Genera(const JobContext& context, const JobRequest& request);
  ~Genera() override;
  Genera(const Genera&) = delete;
  Genera& operator=(const Genera&) = delete;

  // Starts the worker. When Execute has returned, normally or with an
  // error, `onTerminate` runs on the window thread while the worker waits.
  void Start(Terminate onTerminate);

  // The thread body: clears the output area, then runs the job's task.
  virtual void Execute();

  // Adds a line at the end of the output area; returns once it is there.
  void AppendLine(std::string_view line) override;

  // Window thread, after the job's terminate handler has run.
  void Join();
  // Window thread, when the window goes away while the job runs: the job
  // finishes on its own, touching nothing of the window.
  void Abandon();

  // Why Execute ended with an error; empty when it did not.
  const std::string& Error() const { return error_; }

 protected:
  // Carries out `op` on the window thread and waits for it; false once the
  // window is gone.
  bool OnWindow(const std::function<void(WindowModel&)>& op);

  Session& session() { return *session_; }

 private:
  // The three modes' searches and the commands of the context menus.
  void RunGenera();
  void RunRisolvi();
  void RunLibero();
  void RunExplanation();
  void RunWordPuzzle();
  void RunRelationExplanation();

  std::shared_ptr<HandOver> handOver_;
  WindowModel& window_;  // touched only in operations handed over
  std::shared_ptr<Session> session_;
  const JobRequest request_;
  std::string error_;
  std::thread thread_;
};

// Makes jobs of class Job, for Workbench::SetJobFactory.
using JobFactory = std::function<std::shared_ptr<Genera>(const JobContext&, const JobRequest&)>;
template <class Job>
JobFactory JobsOf() {
  return [](const JobContext& context, const JobRequest& request) { return std::make_shared<Job>(context, request); };
}

}  // namespace zifrel
