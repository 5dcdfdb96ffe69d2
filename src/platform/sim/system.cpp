// Host facts of the simulated machine: version, folders, environment, clocks and hardware readings.
#include "platform/system.h"

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace {

// The Windows calls behind these fill a 260-character buffer (MAX_PATH), terminator included.
constexpr std::size_t kPathBufferChars = 260;

template <typename Fn>
auto withState(Fn fn) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return fn(m.state());
}

std::optional<std::wstring> fitting(const std::optional<std::wstring>& text) {
  if (!text || utf16Length(*text) + 1 > kPathBufferChars) return std::nullopt;
  return text;
}

}  // namespace

WindowsVersion getWindowsVersion() {
  return withState([](auto& s) { return s.version; });
}

std::optional<std::wstring> systemDirectory() {
  return withState([](auto& s) { return fitting(s.systemDir); });
}

std::optional<std::wstring> windowsDirectory() {
  return withState([](auto& s) { return fitting(s.windowsDir); });
}

std::optional<std::wstring> tempDirectory() {
  return withState([](auto& s) { return fitting(s.tempDir); });
}

std::optional<std::wstring> programDataFolder() {
  return withState([](auto& s) { return s.programData; });
}

// A variable that exists with an empty value reads as empty, not as missing.
std::optional<std::wstring> environmentVariable(const std::wstring& name) {
  return withState([&name](auto& s) -> std::optional<std::wstring> {
    auto it = s.env.find(toLowerFolded(name));
    if (it == s.env.end()) return std::nullopt;
    return fitting(it->second.value);
  });
}

CalendarTime localTime() {
  return withState([](auto& s) { return sim::msToCalendar(s.localMs); });
}

CalendarTime utcTime() {
  return withState([](auto& s) { return sim::msToCalendar(s.utcMs); });
}

std::int64_t steadyNanoseconds() {
  return withState([](auto& s) { return s.steadyNs; });
}

std::optional<MemoryStatus> memoryStatus() {
  return withState([](auto& s) { return s.memory; });
}

std::wstring cpuVendor() {
  return withState([](auto& s) { return s.cpuVendor; });
}

std::uint32_t logicalProcessorCount() {
  return withState([](auto& s) { return s.logicalProcessors; });
}

std::optional<std::uint8_t> batteryFlag() {
  return withState([](auto& s) { return s.batteryFlag; });
}

std::optional<bool> volumeIncursSeekPenalty(wchar_t driveLetter) {
  const wchar_t drive = driveLetter >= L'a' && driveLetter <= L'z' ? static_cast<wchar_t>(driveLetter - 32) : driveLetter;
  return withState([drive](auto& s) -> std::optional<bool> {
    auto it = s.seekPenalty.find(drive);
    if (it == s.seekPenalty.end()) return std::nullopt;
    return it->second;
  });
}

}  // namespace vx
