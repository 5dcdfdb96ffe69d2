#include "hw/hardware_profile.h"

#include "hw/cpu_info.h"
#include "hw/display_adapters.h"
#include "hw/gpu_family.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vx {

namespace {

constexpr const wchar_t* kCurrentVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
// The GPU name takes the first description under any subkey name that fits this buffer.
constexpr std::size_t kGpuNameBufferChars = 256;
// GetSystemPowerStatus battery flags that mean "no battery to speak of".
constexpr std::uint8_t kNoSystemBattery = 128;
constexpr std::uint8_t kBatteryUnknown = 255;

std::wstring readMachineString(const std::wstring& key, const wchar_t* value) {
  return regReadString(RegRoot::LocalMachine, key, value).value_or(L"");
}

// Windows 11 keeps "Windows 10" in ProductName; only its build, 22000 and later, tells it apart.
constexpr std::uint32_t kFirstWindows11Build = 22000;

std::wstring windowsProductName() {
  std::wstring name = readMachineString(kCurrentVersionKey, L"ProductName");
  if (getWindowsVersion().build >= kFirstWindows11Build && name.starts_with(L"Windows 10"))
    name.replace(0, std::wstring_view(L"Windows 10").size(), L"Windows 11");
  const std::wstring displayVersion = readMachineString(kCurrentVersionKey, L"DisplayVersion");
  if (!displayVersion.empty()) name += L" " + displayVersion;
  return name;
}

// The first non-empty DriverDesc under the display class key, for a machine with no adapter in the
// list. Unlike the adapter list this takes any subkey, the Basic Display Adapter included.
std::wstring firstDisplayDescription() {
  const std::wstring classKey = kDisplayClassKey;
  for (const std::wstring& subkey : regEnumSubkeys(RegRoot::LocalMachine, classKey, kGpuNameBufferChars)) {
    std::wstring description = readMachineString(classKey + L"\\" + subkey, L"DriverDesc");
    if (!description.empty()) return description;
  }
  return {};
}

// The first listed adapter with a name, so that Windows' own display adapter next to a GPU is
// never the one named; the plain first description when no adapter qualifies.
std::wstring gpuName() {
  for (DisplayAdapter& adapter : enumDisplayAdapters())
    if (!adapter.name.empty()) return std::move(adapter.name);
  return firstDisplayDescription();
}

// The volume holding the Windows directory has no seek penalty; false when anything is unknown.
bool systemVolumeIsSsd() {
  const std::optional<std::wstring> windowsDir = windowsDirectory();
  if (!windowsDir) return false;
  const wchar_t drive = !windowsDir->empty() && (*windowsDir)[0] != L'\0' ? (*windowsDir)[0] : L'C';
  const std::optional<bool> seekPenalty = volumeIncursSeekPenalty(drive);
  return seekPenalty && !*seekPenalty;
}

bool hasSystemBattery() {
  const std::optional<std::uint8_t> flag = batteryFlag();
  return flag && *flag != kNoSystemBattery && *flag != kBatteryUnknown;
}

HardwareProfile& currentProfile() {
  static HardwareProfile profile;
  return profile;
}

}  // namespace

HardwareProfile detectHardware() {
  HardwareProfile p;
  p.windowsName = windowsProductName();
  // One read of the processor name serves both the name field and the parsed generation.
  const CpuInfo cpu = readCpuInfo();
  p.cpuName = cpu.name;
  p.gpuName = gpuName();
  p.logicalProcessors = logicalProcessorCount();
  if (const std::optional<MemoryStatus> memory = memoryStatus()) {
    p.totalRamMb = memory->totalPhysBytes >> 20;
    p.availableRamMb = memory->availPhysBytes >> 20;
    p.memoryLoadPercent = memory->loadPercent;
  }
  p.isSsd = systemVolumeIsSsd();
  p.isLaptop = hasSystemBattery();
  p.gpuModern = isModernGpu(p.gpuName);
  // An Intel-looking model number means nothing on another vendor's processor.
  if (cpu.vendor == kIntelVendor) {
    p.intelGeneration = cpu.generation;
    p.intelModelNumber = cpu.modelNumber;
  }
  p.oldIntelCpu = p.intelGeneration >= 1 && p.intelGeneration <= 4;
  p.amdRyzenCpu = cpu.amdRyzen;
  p.amdGpuFamily = amdGpuFamily(p.gpuName);
  p.nvidiaGpuFamily = nvidiaGpuFamily(p.gpuName);
  return p;
}

const HardwareProfile& currentHardwareProfile() { return currentProfile(); }

void refreshHardwareProfile() { refreshHardwareProfile(currentProfile()); }

void refreshHardwareProfile(HardwareProfile& target) { target = detectHardware(); }

}  // namespace vx
