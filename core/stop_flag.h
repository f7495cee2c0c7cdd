#pragma once

#include <atomic>

namespace zifrel {

// The one word through which a stop request reaches a running search. The
// window thread (or a signal handler) sets it; the searches poll it at every
// step. A 32-bit lock-free atomic, so a store from a signal handler is safe.
class StopFlag {
 public:
  void Request() noexcept { word_.store(1, std::memory_order_relaxed); }
  void Reset() noexcept {
    word_.store(0, std::memory_order_relaxed);
    pollsLeft_ = 0;
  }
  bool IsSet() const noexcept { return word_.load(std::memory_order_relaxed) != 0; }

  // What every search step asks. Besides reading the word it serves tests
  // that stop a search deterministically at its n-th step.
  bool Poll() noexcept {
    if (pollsLeft_ > 0 && --pollsLeft_ == 0) Request();
    return IsSet();
  }

  // Tests: the n-th following Poll sets the flag. Only the polling thread
  // may call this, before the search starts.
  void RequestAfterPolls(long n) noexcept { pollsLeft_ = n; }

 private:
  std::atomic<int> word_{0};
  long pollsLeft_ = 0;
  static_assert(std::atomic<int>::is_always_lock_free);
};

}  // namespace zifrel
