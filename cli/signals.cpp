#include "cli/signals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace zifrel::cli {
namespace {

StopFlag* stopFlag = nullptr;
std::atomic<int> searching{0};
volatile std::sig_atomic_t arrived = 0;
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnSignal(int signal) {
  arrived = signal;
  if (searching.load() == 0) ::_exit(128 + signal);
  stopFlag->Request();
}

void Handle(int signal) {
  struct sigaction current {};
  sigaction(signal, nullptr, &current);
  if (current.sa_handler == SIG_IGN) return;  // the parent's choice holds
  struct sigaction handler {};
  handler.sa_handler = OnSignal;
  sigemptyset(&handler.sa_mask);
  handler.sa_flags = 0;  // no restart: a blocked read or write returns at once
  sigaction(signal, &handler, nullptr);
}

}  // namespace

void InstallSignalHandlers(StopFlag& stop) {
  stopFlag = &stop;
  Handle(SIGINT);
  Handle(SIGTERM);
}

int SignalStatus() { return arrived == 0 ? 0 : 128 + arrived; }

SearchRunning::SearchRunning() { searching.fetch_add(1); }
SearchRunning::~SearchRunning() { searching.fetch_sub(1); }

}  // namespace zifrel::cli
