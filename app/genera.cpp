#include "app/genera.h"

#include <exception>

#include "core/messages.h"
#include "schema/risolvi.h"

namespace zifrel {

Genera::Genera(std::shared_ptr<HandOver> handOver, WindowModel& window, std::shared_ptr<Session> session,
               const OpCodes& currentOps, int randOpIndex, int operazIndex)
    : handOver_(std::move(handOver)),
      window_(window),
      session_(std::move(session)),
      mode_(static_cast<JobMode>(operazIndex)),
      randomOps_(1 - randOpIndex) {
  // Only a Risolvi job and a Genera job with fixed operators use the window's
  // operators; the others leave them zero.
  if (mode_ == JobMode::Risolvi || (mode_ == JobMode::Genera && randOpIndex == 1)) jobOps_ = currentOps;
}

Genera::~Genera() {
  if (thread_.joinable()) thread_.detach();
}

void Genera::Start(Terminate onTerminate) {
  thread_ = std::thread([self = shared_from_this(), onTerminate = std::move(onTerminate)] {
    try {
      self->Execute();
    } catch (const std::exception& e) {
      self->error_ = e.what();
    } catch (...) {
      self->error_ = msg::kUnknownError;
    }
    // The window always gets its job back, whatever became of the work.
    self->handOver_->Invoke([&] { onTerminate(*self); });
  });
}

void Genera::Execute() {
  OnWindow([](WindowModel& w) { w.TheM.Clear(); });
  switch (mode_) {
    case JobMode::Genera:
      RunGenera();
      break;
    case JobMode::Risolvi:
      RunRisolvi();
      break;
    case JobMode::Libero:
      RunLibero();
      break;
  }
}

void Genera::RunRisolvi() { zifrel::RunRisolvi(solver_, session_->cellTexts, jobOps_, session_->StopRequested, *this); }

void Genera::AppendLine(std::string_view line) {
  OnWindow([line](WindowModel& w) { w.TheM.AddLine(line); });
}

bool Genera::OnWindow(const std::function<void(WindowModel&)>& op) {
  return handOver_->Invoke([&] { op(window_); });
}

void Genera::Join() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Genera::Abandon() {
  if (thread_.joinable()) thread_.detach();
}

}  // namespace zifrel
