// Host facts from kernel32, shell32, ntdll and the processor itself.
#include "platform/system.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <winioctl.h>

#include <cstddef>

#ifdef _MSC_VER
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#include "platform/win32/native_api.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

// A folder from one of the Get...DirectoryW calls that fill a buffer and return the length.
template <typename Query>
std::optional<std::wstring> folderFrom(Query query) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = query(buffer);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;  // failed, or did not fit
  return std::wstring(buffer, length);
}

CalendarTime calendarTime(const SYSTEMTIME& t) {
  return CalendarTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

WindowsVersion getWindowsVersion() {
  const auto rtlGetVersion = win32::nativeFunction(win32::native::kRtlGetVersion);
  if (rtlGetVersion == nullptr) return {};
  // The extended structure is exactly the 284 bytes the size field announces, so RtlGetVersion
  // may fill the service-pack and product fields without writing past the end.
  static_assert(sizeof(OSVERSIONINFOEXW) == 284, "RtlGetVersion is told 284 bytes");
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (rtlGetVersion(&info) != 0) return {};
  return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

std::optional<std::wstring> systemDirectory() {
  return folderFrom([](wchar_t* buffer) { return static_cast<DWORD>(GetSystemDirectoryW(buffer, MAX_PATH)); });
}

std::optional<std::wstring> windowsDirectory() {
  return folderFrom([](wchar_t* buffer) { return static_cast<DWORD>(GetWindowsDirectoryW(buffer, MAX_PATH)); });
}

std::optional<std::wstring> tempDirectory() {
  return folderFrom([](wchar_t* buffer) { return GetTempPathW(MAX_PATH, buffer); });
}

std::optional<std::wstring> programDataFolder() {
  PWSTR raw = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &raw);
  const win32::UniqueCoTaskMemory<wchar_t> path(raw);  // freed also when the call failed
  if (FAILED(result) || !path) return std::nullopt;
  std::wstring folder(path.get());
  if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();  // keep a bare "C:\" whole
  if (folder.empty()) return std::nullopt;
  return folder;
}

std::optional<std::wstring> environmentVariable(const std::wstring& name) {
  wchar_t buffer[MAX_PATH] = {};
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer, MAX_PATH);
  if (length == 0) {
    // Zero is also the length of a variable that exists with an empty value.
    if (GetLastError() == ERROR_SUCCESS) return std::wstring();
    return std::nullopt;
  }
  if (length >= MAX_PATH) return std::nullopt;  // the size it would need, terminator included
  return std::wstring(buffer, length);
}

CalendarTime localTime() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return calendarTime(t);
}

CalendarTime utcTime() {
  SYSTEMTIME t{};
  GetSystemTime(&t);
  return calendarTime(t);
}

std::int64_t steadyNanoseconds() {
  static const std::int64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? static_cast<std::int64_t>(f.QuadPart) : std::int64_t{1};
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  const std::int64_t ticks = counter.QuadPart;
  // Whole seconds and the remainder apart, so that the multiplication cannot overflow.
  constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
  return (ticks / frequency) * kNanosPerSecond + (ticks % frequency) * kNanosPerSecond / frequency;
}

std::optional<MemoryStatus> memoryStatus() {
  MEMORYSTATUSEX status{};
  static_assert(sizeof(status) == 64, "GlobalMemoryStatusEx expects a length of 64");
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
  return MemoryStatus{status.ullTotalPhys, status.ullAvailPhys, status.dwMemoryLoad};
}

std::wstring cpuVendor() {
  unsigned int ebx = 0, ecx = 0, edx = 0;
#ifdef _MSC_VER
  int registers[4] = {};
  __cpuid(registers, 0);
  ebx = static_cast<unsigned int>(registers[1]);
  ecx = static_cast<unsigned int>(registers[2]);
  edx = static_cast<unsigned int>(registers[3]);
#else
  unsigned int eax = 0;
  if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx)) return std::wstring();
#endif
  // The vendor text is the bytes of EBX, EDX and ECX in that order, lowest byte first.
  std::wstring vendor;
  for (const unsigned int word : {ebx, edx, ecx})
    for (int shift = 0; shift < 32; shift += 8) vendor.push_back(static_cast<wchar_t>((word >> shift) & 0xFFu));
  return vendor;
}

std::uint32_t logicalProcessorCount() {
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

std::optional<std::uint8_t> batteryFlag() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return std::nullopt;
  return status.BatteryFlag;
}

std::optional<bool> volumeIncursSeekPenalty(wchar_t driveLetter) {
  if (driveLetter == L'\0') return std::nullopt;
  std::wstring volume = L"\\\\.\\C:";
  volume[4] = driveLetter;
  // No access rights are needed for a property query, only the device handle.
  const win32::UniqueHandle device = win32::adoptFileHandle(CreateFileW(
      volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!device) return std::nullopt;

  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceSeekPenaltyProperty;
  query.QueryType = PropertyStandardQuery;
  DEVICE_SEEK_PENALTY_DESCRIPTOR descriptor{};
  DWORD returned = 0;
  if (!DeviceIoControl(device.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &descriptor,
                       sizeof(descriptor), &returned, nullptr))
    return std::nullopt;
  // A driver that answers without filling the flag has not said anything about the drive.
  if (returned <= offsetof(DEVICE_SEEK_PENALTY_DESCRIPTOR, IncursSeekPenalty)) return std::nullopt;
  return descriptor.IncursSeekPenalty != FALSE;
}

}  // namespace vx
