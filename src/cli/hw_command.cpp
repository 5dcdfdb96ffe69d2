// vxctl hw [--json]: the hardware profile, the display adapters and their driver versions, as the
// advice and the home page see them.
#include <string>

#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "hw/display_adapters.h"
#include "hw/gpu_driver_info.h"
#include "hw/hardware_profile.h"

namespace vx::cli {

namespace {

std::wstring yesNo(bool value) { return value ? L"да" : L"нет"; }
std::wstring orDash(const std::wstring& text) { return text.empty() ? L"—" : text; }

void printProfile(const HardwareProfile& p) {
  printLine(L"Windows: " + orDash(p.windowsName));
  printLine(L"Процессор: " + orDash(p.cpuName) + L", логических ядер: " + std::to_wstring(p.logicalProcessors));
  if (p.intelGeneration != 0)
    printLine(L"  Intel " + std::to_wstring(p.intelGeneration) + L" поколения, модель " +
              std::to_wstring(p.intelModelNumber) + (p.oldIntelCpu ? L" (старый)" : L""));
  if (p.amdRyzenCpu) printLine(L"  AMD Ryzen / Threadripper / EPYC");
  printLine(L"Видеокарта: " + orDash(p.gpuName) + L", современная: " + yesNo(p.gpuModern));
  if (!p.amdGpuFamily.empty()) printLine(L"  Семейство AMD: " + p.amdGpuFamily);
  if (!p.nvidiaGpuFamily.empty()) printLine(L"  Семейство NVIDIA: " + p.nvidiaGpuFamily);
  printLine(L"ОЗУ: " + std::to_wstring(p.totalRamMb) + L" МБ, свободно " + std::to_wstring(p.availableRamMb) +
            L" МБ, загрузка " + std::to_wstring(p.memoryLoadPercent) + L"%");
  printLine(std::wstring(L"Системный диск: ") + (p.isSsd ? L"SSD" : L"HDD"));
  printLine(std::wstring(L"Тип: ") + (p.isLaptop ? L"ноутбук" : L"десктоп"));
}

// The same facts under the names of the text lines; an unknown text is an empty string.
Json hardwareJson(const HardwareProfile& p, const std::vector<DisplayAdapter>& adapters,
                  const std::vector<GpuDriverInfo>& drivers) {
  Json adapterRows = Json::array();
  for (const DisplayAdapter& a : adapters)
    adapterRows.push_back({{"vendor", jsonText(a.vendor)},
                           {"name", jsonText(a.name)},
                           {"matchingDeviceId", jsonText(a.matchingDeviceId)},
                           {"key", jsonText(L"HKLM\\" + a.keyPath)}});
  Json driverRows = Json::array();
  for (const GpuDriverInfo& d : drivers)
    driverRows.push_back({{"name", jsonText(d.name)},
                          {"version", jsonText(d.displayVersion)},
                          {"driverVersion", jsonText(d.driverVersion)},
                          {"linkLabel", jsonText(d.linkLabel)},
                          {"downloadPage", jsonText(d.downloadPage)}});
  return Json{{"windows", jsonText(p.windowsName)},
              {"cpu", jsonText(p.cpuName)},
              {"logicalProcessors", p.logicalProcessors},
              {"intelGeneration", p.intelGeneration},
              {"intelModel", p.intelModelNumber},
              {"oldIntelCpu", p.oldIntelCpu},
              {"amdRyzen", p.amdRyzenCpu},
              {"gpu", jsonText(p.gpuName)},
              {"gpuModern", p.gpuModern},
              {"amdGpuFamily", jsonText(p.amdGpuFamily)},
              {"nvidiaGpuFamily", jsonText(p.nvidiaGpuFamily)},
              {"ramMb", p.totalRamMb},
              {"freeRamMb", p.availableRamMb},
              {"memoryLoadPercent", p.memoryLoadPercent},
              {"systemDisk", p.isSsd ? "SSD" : "HDD"},
              {"laptop", p.isLaptop},
              {"displayAdapters", adapterRows},
              {"drivers", driverRows}};
}

int runHw(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (!args.empty()) return usageError(L"hw принимает только --json");
  const HardwareProfile profile = detectHardware();
  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  const std::vector<GpuDriverInfo> drivers = readGpuDriverInfo();
  if (json) {
    printJson(hardwareJson(profile, adapters, drivers));
    return kExitOk;
  }
  printProfile(profile);

  printLine(L"");
  printLine(L"Видеоадаптеры: " + std::to_wstring(adapters.size()));
  for (const DisplayAdapter& a : adapters)
    printLine(L"  [" + a.vendor + L"] " + a.name + L"  (" + orDash(a.matchingDeviceId) + L")  HKLM\\" + a.keyPath);

  printLine(L"");
  printLine(L"Драйверы:");
  for (const GpuDriverInfo& d : drivers) {
    std::wstring line = L"  " + d.name + L": " + orDash(d.displayVersion);
    if (d.displayVersion != d.driverVersion && !d.driverVersion.empty()) line += L" (" + d.driverVersion + L")";
    if (!d.downloadPage.empty()) line += L"  " + d.linkLabel + L": " + d.downloadPage;
    printLine(line);
  }
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Hardware, L"hw", L"vxctl hw [--json]", L"профиль оборудования", runHw}};

}  // namespace

}  // namespace vx::cli
