// vxctl host: the host facts the platform layer reads, for a quick look at a machine or a Wine prefix.
#include <string>

#include "cli/cli_command.h"
#include "platform/power.h"
#include "platform/system.h"

namespace vx::cli {

namespace {

std::wstring orMissing(const std::optional<std::wstring>& text) { return text ? *text : L"(нет данных)"; }

int runHost(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"host не принимает аргументов");
  const WindowsVersion v = getWindowsVersion();
  printLine(L"Windows: " + std::to_wstring(v.major) + L"." + std::to_wstring(v.minor) + L"." + std::to_wstring(v.build));
  printLine(L"Системный каталог: " + orMissing(systemDirectory()));
  printLine(L"Каталог Windows: " + orMissing(windowsDirectory()));
  printLine(L"ProgramData: " + orMissing(programDataFolder()));
  printLine(L"Процессор: " + cpuVendor() + L", логических ядер: " + std::to_wstring(logicalProcessorCount()));
  if (const auto memory = memoryStatus())
    printLine(L"Память: " + std::to_wstring(memory->totalPhysBytes >> 20) + L" МБ, занято " +
              std::to_wstring(memory->loadPercent) + L"%");
  const auto scheme = activePowerScheme();
  printLine(std::wstring(L"План питания: ") +
            (!scheme                                ? L"не удалось прочитать"
             : *scheme == kHighPerformanceScheme   ? L"Высокая производительность"
             : *scheme == kBalancedScheme          ? L"Сбалансированная"
                                                   : L"другой"));
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Host, L"host", L"vxctl host", L"сведения о системе", runHost}};

}  // namespace

}  // namespace vx::cli
