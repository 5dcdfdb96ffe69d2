// Who a timer-resolution request reaches on the simulated machine. Since Windows 10 2004 (build
// 19041) a request affects only the process that makes it; Windows 11 (build 22000) applies it to
// every process again when HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\kernel
// GlobalTimerResolutionRequests is the DWORD 1. Windows does this; Wine does not (every request
// there is global, and its "win10" is build 18362 anyway).
#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace {

std::optional<std::uint32_t> dwordValue(Machine::State& s, RegRoot root, std::wstring_view key,
                                        std::wstring_view name) {
  RegKey* k = s.findKey(root, key);
  if (k == nullptr) return std::nullopt;
  const auto it = k->values.find(toLowerFolded(name));
  if (it == k->values.end() || it->second.value.type != RegType::Dword || it->second.value.data.size() != 4)
    return std::nullopt;
  const auto& d = it->second.value.data;
  return d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<std::uint32_t>(d[3]) << 24);
}

}  // namespace

bool Machine::timerReachesOtherProcesses() const {
  std::lock_guard lock(mutex_);
  const std::uint32_t build = state_->version.build;
  if (build < 19041) return true;
  if (build < 22000) return false;
  return dwordValue(*state_, RegRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel",
                    L"GlobalTimerResolutionRequests") == 1u;
}

std::uint32_t Machine::timerThrottlingOptOuts() const {
  std::lock_guard lock(mutex_);
  return state_->readings.throttlingOptOuts;
}

}  // namespace vx::sim
