// Whether a timer-resolution request made in this process reaches other processes (the game),
// decided from the Windows build and the kernel's GlobalTimerResolutionRequests value. The booster
// asks once per run and holds the 0.5 ms resolution only where a request reaches the game.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/system.h"

namespace vx {

// The kernel key that holds GlobalTimerResolutionRequests, below HKEY_LOCAL_MACHINE.
inline constexpr const wchar_t* kKernelSettingsKey = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";
inline constexpr const wchar_t* kGlobalTimerRequestsValue = L"GlobalTimerResolutionRequests";

enum class TimerReach {
  AllProcesses,       // before Windows 10 2004, or Windows 11 with GlobalTimerResolutionRequests = 1
  OwnProcessOnly,     // Windows 10 2004 and later Windows 10 builds
  NeedsGlobalTimer,   // Windows 11 without GlobalTimerResolutionRequests = 1
};

// Windows 10 2004 (build 19041) made a request affect only the process that makes it; Windows 11
// (build 22000) brings the global behaviour back when the kernel value is 1.
TimerReach timerReach(const WindowsVersion& version, std::optional<std::uint32_t> globalTimerRequests);

// The same from getWindowsVersion() and HKLM\...\Session Manager\kernel GlobalTimerResolutionRequests.
TimerReach currentTimerReach();

}  // namespace vx
