// A loop pause for tests of the background loops: the loop may run a given number of periods,
// then waits in its pause until the test allows more or the loop is stopped. So a test knows
// exactly how many periods ran, and no test sleeps through a real period.
#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "services/background_worker.h"

namespace vx::test {

class SteppedPause {
 public:
  // The pause to hand to the engine; it must not outlive this object.
  LoopPause pause() {
    return [this](std::uint32_t ms, const std::atomic<bool>& running) { enter(ms, running); };
  }

  // Lets the loop run until it has paused `periods` times in all.
  void allow(int periods) {
    std::lock_guard lock(mutex_);
    allowed_ = periods;
    changed_.notify_all();
  }

  // Waits (at most 10 s) until the loop has paused `periods` times; false on time-out.
  bool waitForPauses(int periods) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return entered_ >= periods; });
  }

  int pauses() const {
    std::lock_guard lock(mutex_);
    return entered_;
  }

  std::vector<std::uint32_t> requestedMs() const {
    std::lock_guard lock(mutex_);
    return requested_;
  }

 private:
  void enter(std::uint32_t ms, const std::atomic<bool>& running) {
    std::unique_lock lock(mutex_);
    ++entered_;
    requested_.push_back(ms);
    changed_.notify_all();
    // Polls running: stop() clears it without knowing about this pause.
    while (entered_ >= allowed_ && running.load()) changed_.wait_for(lock, std::chrono::milliseconds(1));
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int allowed_ = 0;
  int entered_ = 0;
  std::vector<std::uint32_t> requested_;
};

}  // namespace vx::test
