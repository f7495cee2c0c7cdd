#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace zifrel {

// Carries operations from a worker to the window thread: the worker hands
// one over and waits until the window thread has carried it out. The window
// thread never waits for the worker, so the two cannot deadlock. Once the
// window is gone the hand-over is detached: nothing more is carried out and
// every waiting worker is released.
class HandOver {
 public:
  // `wake` asks the window thread to call RunPending soon. It must be safe to
  // call from any thread, and is never called after Detach.
  explicit HandOver(std::function<void()> wake) : wake_(std::move(wake)) {}

  // Worker: runs `task` on the window thread and returns when it has run;
  // false, without running it, once detached.
  bool Invoke(std::function<void()> task);

  // Window thread: carries out every operation handed over so far.
  void RunPending();

  // Window thread with no event loop of its own (tests): waits up to
  // `timeout` for an operation, then carries out what has arrived.
  void WaitAndRunPending(std::chrono::milliseconds timeout);

  // Window thread, when the window goes away.
  void Detach();

 private:
  struct Pending {
    std::function<void()> task;
    bool done = false;
  };

  std::function<void()> wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Pending*> queue_;
  bool detached_ = false;
};

}  // namespace zifrel
