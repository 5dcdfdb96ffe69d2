// The machine description the advice, the assistant and the UI read: Windows, CPU, GPU, memory,
// system drive and battery. The UI refreshes the process-wide copy every 1.5 s on its thread.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

struct HardwareProfile {
  std::wstring windowsName;            // ProductName (Windows 11 from build 22000) [+ " " + DisplayVersion]
  std::wstring cpuName;
  std::wstring gpuName;                // first enumDisplayAdapters name, else the first non-empty DriverDesc
  std::uint32_t logicalProcessors = 0;
  std::uint64_t totalRamMb = 0;
  std::uint64_t availableRamMb = 0;
  std::uint32_t memoryLoadPercent = 0;
  bool isSsd = false;                  // the Windows volume has no seek penalty
  bool isLaptop = false;               // a system battery is present
  bool gpuModern = false;              // supports hardware-accelerated GPU scheduling
  std::uint32_t intelGeneration = 0;   // 0 unless an Intel Core name on an Intel CPU
  std::uint32_t intelModelNumber = 0;
  bool oldIntelCpu = false;            // Intel generation 1..4
  bool amdRyzenCpu = false;
  std::wstring amdGpuFamily;
  std::wstring nvidiaGpuFamily;
  bool operator==(const HardwareProfile&) const = default;
};

// A fresh profile read from the machine now. Never fails: what cannot be read stays empty / 0.
HardwareProfile detectHardware();

// The process-wide current profile (empty until the first refresh). UI thread only, no lock.
const HardwareProfile& currentHardwareProfile();

// Replaces the current profile with detectHardware(); the overload fills a caller-held profile.
void refreshHardwareProfile();
void refreshHardwareProfile(HardwareProfile& target);

}  // namespace vx
