// Keeps the card states of the state cache current while the window lives, so that painting never
// queries a tweak: one background thread, one tweak at a time. Entries never queried or marked
// stale by clear() come first (the visible page's before the rest) and are refreshed back to back;
// entries older than the maximum age are refreshed at a bounded rate (one per calm interval, the
// visible page first), which keeps the idle window cheap. Reports changed states through a
// callback on its own thread. Created by the window; tests drive step() or the thread.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/state_cache.h"
#include "core/tweak.h"

namespace vx::ui {

class StateRefresher {
 public:
  struct Options {
    std::int64_t maxAgeMs = 2000;
    std::int64_t calmIntervalMs = 500;
    int sliceMs = 100;
    std::function<std::int64_t()> nowMs;        // monotonic; default the steady clock
    std::function<void(int ms)> sleepMs;        // default std::this_thread::sleep_for
  };

  StateRefresher(TweakCatalog catalog, TweakStateCache& cache, std::function<void()> onChanged, Options options);
  StateRefresher(TweakCatalog catalog, TweakStateCache& cache, std::function<void()> onChanged)
      : StateRefresher(std::move(catalog), cache, std::move(onChanged), Options{}) {}
  ~StateRefresher();
  StateRefresher(const StateRefresher&) = delete;
  StateRefresher& operator=(const StateRefresher&) = delete;

  void start();
  // Joins the thread within about one slice (plus a query that is running).
  void stop();
  // For closing the window: tells the thread to end and lets it go without waiting, so a slow
  // query (game discovery, a service) never holds up the exit. The refresher, its cache and the
  // callback's target must then stay alive for the rest of the process.
  void stopWithoutWaiting();

  // The category whose tweaks go first; nothing for a page without cards.
  void setVisibleCategory(std::optional<TweakCategory> category);

  // Runs `task` on the refresher's thread before its next query (the window's reads that must not
  // run on the UI thread, such as a card's current values). Tasks run in the order posted; the
  // thread picks them up within a slice.
  void post(std::function<void()> task);

  // One unit of work: the posted tasks first, then the next urgent tweak, or (when the calm interval has passed) the oldest
  // aged one. False when nothing was run. Calls onChanged when a batch of changes ends.
  bool step();

  // Waits until a check that began after this call found nothing stale (every entry queried
  // since the last clear()). For tests; false on time-out.
  bool waitUntilCurrent(std::int64_t timeoutMs);
  // Waits until the thread has left its loop (also one let go by stopWithoutWaiting). For tests;
  // false on time-out.
  bool waitUntilEnded(std::int64_t timeoutMs);

 private:
  TweakPtr nextTweak(std::int64_t maxAgeMs) const;
  void run();

  const TweakCatalog catalog_;
  TweakStateCache& cache_;
  const std::function<void()> onChanged_;
  Options options_;
  std::atomic<int> visible_{-1};
  std::atomic<bool> running_{false};
  std::thread thread_;
  bool pendingChange_ = false;     // refresher thread only
  std::int64_t lastCalmMs_ = 0;    // refresher thread only
  std::mutex idleMutex_;
  std::condition_variable idleSignal_;
  std::uint64_t idleChecks_ = 0;
  bool ended_ = false;  // under idleMutex_
  std::mutex tasksMutex_;
  std::deque<std::function<void()>> tasks_;  // under tasksMutex_
  bool runPostedTasks();
};

}  // namespace vx::ui
