#include "services/booster_engine.h"

#include "base/process_wide.h"
#include "platform/performance.h"
#include "platform/system.h"
#include "services/game_processes.h"

namespace vx {

BoosterEngine::BoosterEngine(BoosterSettings settings, LoopPause pause, ThreadStarter starter)
    : settings_(settings), pause_(pause ? std::move(pause) : LoopPause(pauseInSlices)), worker_(std::move(starter)) {}

BoosterEngine& BoosterEngine::instance() { return processWide<BoosterEngine>(); }

bool BoosterEngine::start() {
  return worker_.start([this] { run(); });
}

void BoosterEngine::stop() { worker_.stop(); }

std::wstring BoosterEngine::statusText() const {
  if (!isRunning()) return L"Движок выключен";
  return L"Движок: вкл  •  ОЗУ: " + std::to_wstring(memoryLoad()) + L"%  •  Таймер 0.5ms: " +
         (timerActive() ? L"активен" : L"ожидает") + L"  •  Игра: " + (gameDetected() ? L"найдена" : L"нет") +
         L"  •  Очисток standby: " + std::to_wstring(purgeCount());
}

void BoosterEngine::run() {
  // Either ntdll service may be missing; the step that needs it is then skipped for good.
  const bool canSetTimer = timerResolutionSupported();
  const bool canPurge = standbyPurgeSupported();
  const std::uint32_t pauseMs = settings_.intervalMs > 0 ? static_cast<std::uint32_t>(settings_.intervalMs) / 100 * 100 : 0;
  const std::atomic<bool>& running = worker_.running();
  bool held = false;
  while (running.load()) {
    if (const auto memory = memoryStatus()) {
      const auto load = static_cast<std::int32_t>(memory->loadPercent);
      memoryLoad_.store(load);
      // Repeated every period while the load stays high, game or no game; a refusal (no
      // privilege) is simply not counted.
      if (settings_.purgeEnabled && canPurge && load >= settings_.purgeThresholdPercent && purgeStandbyList())
        purgeCount_.fetch_add(1);
    }

    const bool game = isGameRunning();
    gameDetected_.store(game);
    if (settings_.timerEnabled && canSetTimer && game) {
      // A refused request is asked for again next period.
      if (!held && requestTimerResolution(kTimerResolution)) {
        held = true;
        timerActive_.store(true);
      }
    } else if (held) {
      releaseTimerResolution();
      held = false;
      timerActive_.store(false);
    }
    pause_(pauseMs, running);
  }
  if (held) releaseTimerResolution();
  timerActive_.store(false);
  gameDetected_.store(false);
}

}  // namespace vx
