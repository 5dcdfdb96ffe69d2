// Host facts read by the tweaks and the hardware profile: Windows version, well-known folders,
// environment, clocks, memory, CPU, battery and the system volume. Implemented by win32/ and sim/.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vx {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  bool operator==(const WindowsVersion&) const = default;
};

// RtlGetVersion from ntdll, looked up at run time; all zero when it cannot be read.
WindowsVersion getWindowsVersion();

// GetSystemDirectoryW / GetWindowsDirectoryW / GetTempPathW; nothing when the call fails or the
// path does not fit 260 characters.
std::optional<std::wstring> systemDirectory();
std::optional<std::wstring> windowsDirectory();
std::optional<std::wstring> tempDirectory();

// The ProgramData known folder (FOLDERID_ProgramData), without a trailing backslash.
std::optional<std::wstring> programDataFolder();

// GetEnvironmentVariableW into a 260-character buffer: nothing when the variable is missing or its
// value (with the terminating NUL) does not fit the buffer.
std::optional<std::wstring> environmentVariable(const std::wstring& name);

// A calendar time as GetLocalTime / GetSystemTime report it.
struct CalendarTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
  bool operator==(const CalendarTime&) const = default;
};
CalendarTime localTime();
CalendarTime utcTime();

// A monotonic clock in nanoseconds, for ages and time-outs.
std::int64_t steadyNanoseconds();

// GlobalMemoryStatusEx.
struct MemoryStatus {
  std::uint64_t totalPhysBytes = 0;
  std::uint64_t availPhysBytes = 0;
  std::uint32_t loadPercent = 0;
};
std::optional<MemoryStatus> memoryStatus();

// The 12-character CPUID leaf 0 vendor text ("GenuineIntel", "AuthenticAMD").
std::wstring cpuVendor();
// dwNumberOfProcessors from GetNativeSystemInfo.
std::uint32_t logicalProcessorCount();

// BatteryFlag of GetSystemPowerStatus (128 = no system battery, 255 = unknown); nothing on failure.
std::optional<std::uint8_t> batteryFlag();

// IncursSeekPenalty of the volume with the given drive letter (IOCTL_STORAGE_QUERY_PROPERTY,
// StorageDeviceSeekPenaltyProperty); nothing when the volume cannot be opened or queried.
std::optional<bool> volumeIncursSeekPenalty(wchar_t driveLetter);

}  // namespace vx
