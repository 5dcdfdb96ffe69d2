// System Restore on the simulated machine: the library may be missing, the call may fail, a point
// within the creation frequency is skipped as Windows skips it, and a created point is recorded
// with its description.
#include "platform/restore_point.h"

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace {

// The description as it fits RESTOREPOINTINFOW's 256-unit buffer: at most 255 UTF-16 units,
// never splitting a character.
std::wstring cutToRestoreDescription(const std::wstring& text) {
  constexpr std::size_t kMaxUnits = 255;
  std::size_t units = 0;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const std::size_t next = utf16Length(std::wstring_view(text).substr(i, 1));
    if (units + next > kMaxUnits) break;
    units += next;
  }
  return text.substr(0, i);
}

// SystemRestorePointCreationFrequency in minutes, 1440 when it is missing or not a DWORD.
std::int64_t minutesBetweenPoints(sim::Machine::State& s) {
  const sim::RegKey* key =
      s.findKey(RegRoot::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore");
  if (key == nullptr) return 1440;
  const auto it = key->values.find(toLowerFolded(L"SystemRestorePointCreationFrequency"));
  if (it == key->values.end() || it->second.value.type != sim::RegType::Dword || it->second.value.data.size() != 4)
    return 1440;
  const auto& d = it->second.value.data;
  return d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<std::int64_t>(d[3]) << 24);
}

}  // namespace

bool restorePointLibraryPresent() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().restoreLibraryPresent;
}

RestorePointOutcome setSystemRestorePoint(const std::wstring& description, const std::function<void()>& beforeFirstCall) {
  auto& m = sim::machine();
  {
    std::lock_guard lock(m.mutex());
    if (!m.state().restoreLibraryPresent) return RestorePointOutcome::LibraryMissing;
  }
  if (beforeFirstCall) beforeFirstCall();  // may use the platform layer, so no lock here
  std::lock_guard lock(m.mutex());
  auto& s = m.state();
  if (!s.restorePointsSucceed) return RestorePointOutcome::Failed;
  // Windows skips a new point when one was made within SystemRestorePointCreationFrequency
  // minutes (24 hours while the value is missing) and still reports success; 0 lifts the limit.
  // Wine creates no point at all.
  const std::int64_t limitNs = minutesBetweenPoints(s) * 60'000'000'000LL;
  if (s.lastRestorePointNs && s.steadyNs - *s.lastRestorePointNs < limitNs)
    return RestorePointOutcome::Created;
  s.lastRestorePointNs = s.steadyNs;
  s.restorePoints.push_back(cutToRestoreDescription(description));
  return RestorePointOutcome::Created;
}

}  // namespace vx
