#include "services/booster_engine.h"

#include "base/process_wide.h"
#include "platform/performance.h"
#include "platform/privileges.h"
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

namespace {

std::wstring timerPart(TimerReach reach, bool active) {
  switch (reach) {
    case TimerReach::OwnProcessOnly:
      return L"не действует в этой версии Windows";
    case TimerReach::NeedsGlobalTimer:
      return L"нужен «Глобальный таймер»";
    case TimerReach::AllProcesses:
      break;
  }
  return active ? L"активен" : L"ожидает";
}

}  // namespace

std::wstring BoosterEngine::statusText() const {
  if (!isRunning()) return L"Движок выключен";
  return L"Движок: вкл  •  ОЗУ: " + std::to_wstring(memoryLoad()) + L"%  •  Таймер 0.5ms: " +
         timerPart(timerReach_.load(), timerActive()) + L"  •  Игра: " + (gameDetected() ? L"найдена" : L"нет") +
         L"  •  Очисток standby: " + (purgeUnavailable_.load() ? L"недоступно" : std::to_wstring(purgeCount()));
}

void BoosterEngine::run() {
  // Either ntdll service may be missing; the step that needs it is then skipped for good.
  const bool canSetTimer = timerResolutionSupported();
  const bool canPurge = standbyPurgeSupported();
  // Windows 11 otherwise ignores our timer request while our window is minimised or hidden; where
  // the call is missing or refused the timer works as before.
  keepTimerRequestsWhenHidden();
  // Since Windows 10 2004 a request in this process does nothing for a game: never hold it there.
  const TimerReach reach =
      settings_.timerEnabled && canSetTimer ? currentTimerReach() : TimerReach::AllProcesses;
  timerReach_.store(reach);
  const bool useTimer = settings_.timerEnabled && canSetTimer && reach == TimerReach::AllProcesses;
  // Windows refuses the purge unless the token's SeProfileSingleProcessPrivilege is enabled; an
  // elevated administrator holds it disabled, a standard user does not hold it at all.
  const bool wantPurge = settings_.purgeEnabled && canPurge;
  const bool mayPurge = wantPurge && enablePrivilege(Privilege::ProfileSingleProcess);
  purgeUnavailable_.store(wantPurge && !mayPurge);

  const std::uint32_t pauseMs = settings_.intervalMs > 0 ? static_cast<std::uint32_t>(settings_.intervalMs) / 100 * 100 : 0;
  const std::atomic<bool>& running = worker_.running();
  bool held = false;
  while (running.load()) {
    if (const auto memory = memoryStatus()) {
      const auto load = static_cast<std::int32_t>(memory->loadPercent);
      memoryLoad_.store(load);
      // Game or no game; a refusal is not counted and is asked again next period.
      if (mayPurge && load >= settings_.purgeThresholdPercent) {
        const std::int64_t now = steadyNanoseconds();
        if ((!lastPurgeNs_ || now - *lastPurgeNs_ >= kPurgeSpacingNs) && purgeStandbyList()) {
          lastPurgeNs_ = now;
          purgeCount_.fetch_add(1);
        }
      }
    }

    const bool game = isGameRunning();
    gameDetected_.store(game);
    if (useTimer && game) {
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
