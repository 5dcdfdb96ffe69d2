// System times (kernel32), the timer resolution and standby purge (ntdll, looked up at run time),
// the timer opt-out of power throttling (kernel32, looked up at run time) and the GPU engine
// counter (pdh.dll, loaded at run time from System32 only).
#include "platform/performance.h"

#include <windows.h>
#include <pdh.h>

#include <string>
#include <vector>

#include "platform/win32/native_api.h"

namespace vx {

namespace {

std::uint64_t ticksOf(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

win32::native::NtSetTimerResolutionFn timerFunction() {
  static const auto function = win32::nativeFunction(win32::native::kNtSetTimerResolution);
  return function;
}

win32::native::NtSetSystemInformationFn systemInformationFunction() {
  static const auto function = win32::nativeFunction(win32::native::kNtSetSystemInformation);
  return function;
}

constexpr INT kSystemMemoryListInformation = 80;
constexpr ULONG kMemoryPurgeStandbyList = 4;

// The PDH entry points, all or none.
struct Pdh {
  win32::native::PdhOpenQueryFn openQuery = win32::nativeFunction(win32::native::kPdhOpenQuery);
  win32::native::PdhAddEnglishCounterFn addEnglishCounter = win32::nativeFunction(win32::native::kPdhAddEnglishCounter);
  win32::native::PdhCollectQueryDataFn collect = win32::nativeFunction(win32::native::kPdhCollectQueryData);
  win32::native::PdhGetFormattedCounterArrayFn formattedArray =
      win32::nativeFunction(win32::native::kPdhGetFormattedCounterArray);
  win32::native::PdhCloseQueryFn closeQuery = win32::nativeFunction(win32::native::kPdhCloseQuery);
  bool complete() const { return openQuery && addEnglishCounter && collect && formattedArray && closeQuery; }
};

constexpr PDH_STATUS kPdhMoreData = static_cast<PDH_STATUS>(0x800007D2);

}  // namespace

std::optional<SystemTimes> systemTimes() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
  return SystemTimes{ticksOf(idle), ticksOf(kernel), ticksOf(user)};
}

std::optional<std::uint64_t> processCpuTime() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return std::nullopt;
  return ticksOf(kernel) + ticksOf(user);
}

bool timerResolutionSupported() { return timerFunction() != nullptr; }

bool requestTimerResolution(std::uint32_t hundredNanoseconds) {
  const auto function = timerFunction();
  ULONG current = 0;
  return function != nullptr && function(hundredNanoseconds, TRUE, &current) == 0;
}

bool releaseTimerResolution() {
  const auto function = timerFunction();
  ULONG current = 0;
  return function != nullptr && function(0, FALSE, &current) == 0;
}

bool keepTimerRequestsWhenHidden() {
  // SetProcessInformation exists from Windows 8 on.
  static const auto setInformation = win32::nativeFunction(win32::native::kSetProcessInformation);
  if (setInformation == nullptr) return false;
  PROCESS_POWER_THROTTLING_STATE state{};
  state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
  // The bit in ControlMask says which behaviour this process decides; StateMask 0 turns it off, so
  // Windows does not ignore our timer requests when our windows are hidden.
  state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
  state.StateMask = 0;
  return setInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof(state)) != FALSE;
}

bool standbyPurgeSupported() { return systemInformationFunction() != nullptr; }

bool purgeStandbyList() {
  const auto function = systemInformationFunction();
  ULONG command = kMemoryPurgeStandbyList;
  return function != nullptr && function(kSystemMemoryListInformation, &command, sizeof(command)) == 0;
}

struct GpuEngineCounter::Query {
  Pdh pdh;
  PDH_HQUERY query = nullptr;
  PDH_HCOUNTER counter = nullptr;
  bool usable = false;
};

GpuEngineCounter::GpuEngineCounter() : query_(std::make_unique<Query>()) {
  Query& q = *query_;
  if (!q.pdh.complete() || q.pdh.openQuery(nullptr, 0, &q.query) != ERROR_SUCCESS) {
    q.query = nullptr;
    return;
  }
  if (q.pdh.addEnglishCounter(q.query, L"\\GPU Engine(*)\\Utilization Percentage", 0, &q.counter) != ERROR_SUCCESS)
    return;
  // A rate counter needs a first collection before it can answer.
  q.pdh.collect(q.query);
  q.usable = true;
}

GpuEngineCounter::~GpuEngineCounter() {
  if (query_->query != nullptr) query_->pdh.closeQuery(query_->query);
}

bool GpuEngineCounter::usable() const { return query_->usable; }

std::optional<std::vector<GpuEngineSample>> GpuEngineCounter::sample() {
  Query& q = *query_;
  if (!q.usable || q.pdh.collect(q.query) != ERROR_SUCCESS) return std::nullopt;
  // First ask for the size, then fetch into a buffer of that many bytes.
  DWORD bytes = 0;
  DWORD count = 0;
  if (q.pdh.formattedArray(q.counter, PDH_FMT_DOUBLE, &bytes, &count, nullptr) != kPdhMoreData || bytes == 0)
    return std::nullopt;
  std::vector<std::uint8_t> buffer(bytes, 0);
  auto* items = reinterpret_cast<PDH_FMT_COUNTERVALUE_ITEM_W*>(buffer.data());
  if (q.pdh.formattedArray(q.counter, PDH_FMT_DOUBLE, &bytes, &count, items) != ERROR_SUCCESS) return std::nullopt;
  std::vector<GpuEngineSample> values;
  values.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    const wchar_t* name = items[i].szName;
    values.push_back({name != nullptr ? std::wstring(name) : std::wstring(), items[i].FmtValue.doubleValue});
  }
  return values;
}

}  // namespace vx
