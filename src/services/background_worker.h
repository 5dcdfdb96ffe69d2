// The one worker thread of a background loop (booster, resource monitor): start and stop with an
// atomic running flag, a pause cut into 100 ms slices, and an injectable thread starter and pause
// so that tests neither sleep whole periods nor depend on thread creation succeeding.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace vx {

// Waits up to ms between two periods of a loop, returning early once running is clear.
using LoopPause = std::function<void(std::uint32_t ms, const std::atomic<bool>& running)>;

// ms / 100 sleeps of 100 ms, running checked before each, so a stop is seen within 100 ms.
void pauseInSlices(std::uint32_t ms, const std::atomic<bool>& running);

// Starts a thread running the body; throws std::system_error when none can be made, as the
// std::thread constructor does.
using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

class BackgroundWorker {
 public:
  explicit BackgroundWorker(ThreadStarter starter = {});
  ~BackgroundWorker();  // stops and joins
  BackgroundWorker(const BackgroundWorker&) = delete;
  BackgroundWorker& operator=(const BackgroundWorker&) = delete;

  // Sets running and starts the body on a new thread; true also when it was already running (then
  // nothing else happens). When the thread cannot be made, running is cleared again and the answer
  // is false. Not to be called from the body.
  bool start(std::function<void()> body);
  // Clears running and joins the thread. Called from the body itself it only clears running: the
  // thread ends on its own and the next start or stop from elsewhere joins it.
  void stop();

  bool isRunning() const { return running_.load(); }
  // The flag the body's loop watches.
  const std::atomic<bool>& running() const { return running_; }

 private:
  void joinLocked();  // threadMutex_ held

  ThreadStarter starter_;
  std::atomic<bool> running_{false};
  std::atomic<std::thread::id> workerId_{};
  std::mutex threadMutex_;  // guards thread_
  std::thread thread_;
};

}  // namespace vx
