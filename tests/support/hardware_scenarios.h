// Shared scene builders for tests on the simulated machine: display adapters, PCI devices and the
// processor, so a test says "an RTX 3070 desktop" in a few lines instead of copying registry writes.
#pragma once
#include <cstdint>
#include <string>

#include "platform/sim/machine.h"

namespace vx::test {

// Adds the display class subkey (e.g. "0000") with DriverDesc and, when not empty, MatchingDeviceId
// and DriverVersion. Returns the subkey's path below HKEY_LOCAL_MACHINE.
std::wstring addDisplayAdapter(sim::Machine& m, const std::wstring& subkey, const std::wstring& driverDesc,
                               const std::wstring& matchingDeviceId = {}, const std::wstring& driverVersion = {});

// The language-neutral source of an adapter's driver: ProviderName and, when not empty, InfPath
// ("Microsoft" / "display.inf" for Windows' own Basic Display adapter).
void setDisplayDriverSource(sim::Machine& m, const std::wstring& classKey, const std::wstring& providerName,
                            const std::wstring& infPath = {});

// Removes every subkey of the display class key (the machine then has no display adapter).
void clearDisplayAdapters(sim::Machine& m);

// Adds SYSTEM\CurrentControlSet\Enum\PCI\<deviceKey>\<instance>; returns that path.
std::wstring addPciDevice(sim::Machine& m, const std::wstring& deviceKey, const std::wstring& instance);

// The processor name in the registry and the CPUID vendor text.
void setProcessor(sim::Machine& m, const std::wstring& name, const std::wstring& vendor = L"GenuineIntel");

// ProductName and, when not empty, DisplayVersion (an empty one removes the value).
void setWindowsProduct(sim::Machine& m, const std::wstring& productName, const std::wstring& displayVersion = {});

// Physical memory in MiB; available memory is a quarter of it and the load 75 %.
void setMemoryMb(sim::Machine& m, std::uint64_t totalMb);

// Windows lives on <drive>:\Windows, and that volume is an SSD (no seek penalty) or an HDD.
void setSystemDrive(sim::Machine& m, bool ssd, wchar_t drive = L'C');

// A charged battery, or the "no system battery" flag.
void setLaptop(sim::Machine& m, bool laptop);

// A whole PC in one record; buildPc replaces the processor, display adapters, memory, system
// drive and battery of the machine.
struct PcParts {
  std::wstring cpuName = L"Intel(R) Core(TM) i7-12700K";
  std::wstring cpuVendor = L"GenuineIntel";
  std::wstring gpuName;  // adapter 0000; empty means no display adapter
  std::uint64_t ramMb = 16384;
  bool ssd = true;
  bool laptop = false;
};
void buildPc(sim::Machine& m, const PcParts& pc);

// A desktop with an NVIDIA GeForce RTX 3070, 16 GiB of RAM and an SSD.
PcParts rtx3070Desktop();

}  // namespace vx::test
