#include "app/workbench.h"

namespace zifrel {

Workbench::Workbench(std::function<void()> wake, std::int32_t seed)
    : handOver_(std::make_shared<HandOver>(std::move(wake))), jobFactory_(JobsOf<Genera>()) {
  // Start-up: the random source is started, no job runs and none is
  // stopping, and the window is cleared, which also derives every
  // mode-dependent control state. Clearing draws nothing, so it may come
  // after the divisor table is drawn.
  StartRandomSource(session_->generator, seed);
  session_->StopRequested.Reset();
  running_ = false;
  CancClick();
}

Workbench::~Workbench() {
  if (running_) session_->StopRequested.Request();
  handOver_->Detach();
  if (!job_) return;
  if (running_) {
    job_->Abandon();  // it sees the stop at its next step and ends by itself
  } else {
    job_->Join();
  }
}

}  // namespace zifrel
