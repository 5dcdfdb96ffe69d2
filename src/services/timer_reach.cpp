#include "services/timer_reach.h"

#include "platform/registry.h"

namespace vx {

namespace {

constexpr std::uint32_t kFirstPerProcessBuild = 19041;  // Windows 10 2004
constexpr std::uint32_t kFirstWindows11Build = 22000;

}  // namespace

TimerReach timerReach(const WindowsVersion& version, std::optional<std::uint32_t> globalTimerRequests) {
  if (version.build < kFirstPerProcessBuild) return TimerReach::AllProcesses;
  if (version.build < kFirstWindows11Build) return TimerReach::OwnProcessOnly;
  return globalTimerRequests == 1u ? TimerReach::AllProcesses : TimerReach::NeedsGlobalTimer;
}

TimerReach currentTimerReach() {
  return timerReach(getWindowsVersion(),
                    regReadDword(RegRoot::LocalMachine, kKernelSettingsKey, kGlobalTimerRequestsValue));
}

}  // namespace vx
