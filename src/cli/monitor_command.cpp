// vxctl monitor [--samples N]: the resource monitor in the foreground, one line a second with the
// CPU, GPU and RAM load, until N lines were printed or Ctrl+C.
#include <string>

#include "cli/cli_command.h"
#include "cli/count_option.h"
#include "platform/console.h"
#include "services/resource_monitor.h"

namespace vx::cli {

namespace {

std::wstring loadLine(const MonitorSnapshot& s) {
  return L"ЦП: " + std::to_wstring(s.cpuPercent) + L"%  •  ГП: " + std::to_wstring(s.gpuPercent) + L"%  •  ОЗУ: " +
         std::to_wstring(s.ramPercent) + L"%";
}

int runMonitor(const std::vector<std::wstring>& args) {
  const CountOption samples = parseCountOption(args, L"--samples");
  if (!samples.valid) return usageError(L"monitor принимает только --samples N (1..86400)");
  ResourceMonitor& monitor = ResourceMonitor::instance();
  if (!monitor.start()) {
    printError(L"vxctl: не удалось запустить монитор");
    return kExitFailed;
  }
  for (std::uint32_t printed = 0; !samples.value || printed < *samples.value; ++printed) {
    if (waitForInterrupt(ResourceMonitor::kPeriodMs)) break;
    printLine(loadLine(monitor.snapshot()));
  }
  monitor.stop();
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Monitor, L"monitor", L"vxctl monitor [--samples N]",
                              L"загрузка ЦП, ГП и ОЗУ раз в секунду", runMonitor}};

}  // namespace

}  // namespace vx::cli
