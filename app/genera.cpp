#include "app/genera.h"

#include <exception>

#include "core/messages.h"
#include "schema/risolvi.h"

namespace zifrel {

Genera::Genera(const JobContext& context, const JobRequest& request)
    : handOver_(context.handOver), window_(context.window), session_(context.session), request_(request) {}

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
  switch (request_.task) {
    case JobTask::kSearch:
      break;
    case JobTask::kExplain:
    case JobTask::kHint:
    case JobTask::kLevel:
      RunExplanation();
      return;
    case JobTask::kWordPuzzle:
      RunWordPuzzle();
      return;
    case JobTask::kExplainRelation:
      RunRelationExplanation();
      return;
  }
  switch (request_.mode) {
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

void Genera::RunRisolvi() {
  SchemaSolver solver;
  zifrel::RunRisolvi(solver, request_.cells, request_.ops, session_->StopRequested, *this);
}

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
