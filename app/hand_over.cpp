#include "app/hand_over.h"

namespace zifrel {

bool HandOver::Invoke(std::function<void()> task) {
  Pending pending{std::move(task)};
  std::unique_lock lock(mutex_);
  if (detached_) return false;
  queue_.push_back(&pending);
  // Under the lock, so that Detach cannot complete between the check above
  // and the wake-up: `wake_` is never called on a window that is gone.
  if (wake_) wake_();
  changed_.notify_all();
  changed_.wait(lock, [&] { return pending.done || detached_; });
  if (!pending.done) {
    std::erase(queue_, &pending);
    return false;
  }
  return true;
}

void HandOver::RunPending() {
  for (;;) {
    Pending* pending = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (detached_ || queue_.empty()) break;
      pending = queue_.front();
      queue_.pop_front();
    }
    // Outside the lock: the task may take its time, and the worker is waiting
    // for exactly this one, so `pending` stays valid.
    const auto release = [&] {
      {
        std::lock_guard lock(mutex_);
        pending->done = true;
      }
      changed_.notify_all();
    };
    try {
      pending->task();
    } catch (...) {
      release();  // the worker must not wait for ever on a task that failed
      throw;
    }
    release();
  }
}

void HandOver::WaitAndRunPending(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return detached_ || !queue_.empty(); });
  }
  RunPending();
}

void HandOver::Detach() {
  {
    std::lock_guard lock(mutex_);
    detached_ = true;
    queue_.clear();
  }
  changed_.notify_all();
}

}  // namespace zifrel
