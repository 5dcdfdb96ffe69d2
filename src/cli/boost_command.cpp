// vxctl boost [--seconds N]: the game booster in the foreground. Prints its status line every
// period; after N seconds or on Ctrl+C it stops the engine (which releases the timer resolution)
// and prints the final status.
#include <algorithm>
#include <string>

#include "cli/cli_command.h"
#include "cli/count_option.h"
#include "platform/console.h"
#include "services/booster_engine.h"

namespace vx::cli {

namespace {

int runBoost(const std::vector<std::wstring>& args) {
  const CountOption seconds = parseCountOption(args, L"--seconds");
  if (!seconds.valid) return usageError(L"boost принимает только --seconds N (1..86400)");
  BoosterEngine& booster = BoosterEngine::instance();
  if (!booster.start()) {
    printError(L"vxctl: не удалось запустить движок");
    return kExitFailed;
  }
  const auto period = static_cast<std::uint64_t>(std::max(booster.settings().intervalMs, 100));
  const std::uint64_t limitMs = seconds.value ? std::uint64_t{*seconds.value} * 1000 : UINT64_MAX;
  for (std::uint64_t elapsed = 0; elapsed < limitMs;) {
    const std::uint64_t step = std::min(period, limitMs - elapsed);
    const bool interrupted = waitForInterrupt(static_cast<std::uint32_t>(step));
    elapsed += step;
    printLine(booster.statusText());
    if (interrupted) break;
  }
  booster.stop();
  printLine(booster.statusText());
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Boost, L"boost", L"vxctl boost [--seconds N]",
                              L"игровой движок: таймер 0.5 мс и очистка standby", runBoost}};

}  // namespace

}  // namespace vx::cli
