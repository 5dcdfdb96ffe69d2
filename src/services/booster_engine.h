// The game booster: a background loop that every period purges the standby memory list when the
// memory load has reached the threshold (at most once a minute) and holds the 0.5 ms timer
// resolution while a game runs, where Windows lets such a request reach the game.
// The window's engine button starts and stops the process-wide instance and shows statusText;
// vxctl boost runs it in the foreground. Off at every program start.
#pragma once
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "services/background_worker.h"
#include "services/timer_reach.h"

namespace vx {

struct BoosterSettings {
  bool timerEnabled = true;
  bool purgeEnabled = true;
  std::int32_t purgeThresholdPercent = 85;
  std::int32_t intervalMs = 2000;
};

class BoosterEngine {
 public:
  // 5000 units of 100 ns.
  static constexpr std::uint32_t kTimerResolution = 5000;
  // Standby pages count as available memory, so a purge does not lower the load that triggered
  // it: while the load stays high, one purge per this many nanoseconds of the steady clock.
  static constexpr std::int64_t kPurgeSpacingNs = 60'000'000'000;

  explicit BoosterEngine(BoosterSettings settings = {}, LoopPause pause = pauseInSlices, ThreadStarter starter = {});

  // The process-wide engine, created on first use and never destroyed.
  static BoosterEngine& instance();

  // The first period runs at once. False only when the worker thread cannot be created; the
  // engine is then not running. A second start while running does nothing and answers true.
  bool start();
  // Ends the loop, which releases a held resolution; joins the thread (within about 100 ms plus
  // one scan). From the loop's own thread it only asks the loop to end.
  void stop();
  bool isRunning() const { return worker_.isRunning(); }

  // "Движок выключен", or "Движок: вкл  •  ОЗУ: 43%  •  Таймер 0.5ms: активен  •  Игра: найдена
  // •  Очисток standby: 2" from the last period's values. The timer part names why the timer is
  // not used where a request cannot reach games ("не действует в этой версии Windows", "нужен
  // «Глобальный таймер»"); the purge count reads "недоступно" when the privilege was refused.
  std::wstring statusText() const;

  const BoosterSettings& settings() const { return settings_; }
  std::int32_t memoryLoad() const { return memoryLoad_.load(); }
  bool timerActive() const { return timerActive_.load(); }
  bool gameDetected() const { return gameDetected_.load(); }
  // Successful purges since the engine was made; never reset.
  std::int32_t purgeCount() const { return purgeCount_.load(); }

 private:
  void run();

  const BoosterSettings settings_;
  const LoopPause pause_;
  std::atomic<std::int32_t> memoryLoad_{0};
  std::atomic<bool> timerActive_{false};
  std::atomic<bool> gameDetected_{false};
  std::atomic<std::int32_t> purgeCount_{0};
  std::atomic<TimerReach> timerReach_{TimerReach::AllProcesses};  // decided when a run starts
  std::atomic<bool> purgeUnavailable_{false};  // SeProfileSingleProcessPrivilege could not be enabled
  std::optional<std::int64_t> lastPurgeNs_;    // the loop's thread only; kept across runs
  BackgroundWorker worker_;  // last: stopped and joined before the values above go away
};

}  // namespace vx
