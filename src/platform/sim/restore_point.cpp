// System Restore on the simulated machine: the library may be missing, the call may fail, and a
// created point is recorded with its description.
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

}  // namespace

RestorePointOutcome setSystemRestorePoint(const std::wstring& description, const std::function<void()>& beforeFirstCall) {
  auto& m = sim::machine();
  {
    std::lock_guard lock(m.mutex());
    if (!m.state().restoreLibraryPresent) return RestorePointOutcome::LibraryMissing;
  }
  if (beforeFirstCall) beforeFirstCall();  // may use the platform layer, so no lock here
  std::lock_guard lock(m.mutex());
  if (!m.state().restorePointsSucceed) return RestorePointOutcome::Failed;
  m.state().restorePoints.push_back(cutToRestoreDescription(description));
  return RestorePointOutcome::Created;
}

}  // namespace vx
