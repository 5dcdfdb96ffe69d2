// Windows service start types through the Service Control Manager of the local machine.
// Used by service tweaks; implemented by win32/ (advapi32) and sim/.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

// Windows start types: 0 boot, 1 system, 2 automatic, 3 manual, 4 disabled.
constexpr std::uint32_t kServiceAutoStart = 2;
constexpr std::uint32_t kServiceDemandStart = 3;
constexpr std::uint32_t kServiceDisabled = 4;

bool serviceExists(const std::wstring& name);
// The configured start type, or -1 on any failure (missing service included).
int serviceStartType(const std::wstring& name);
bool setServiceStartType(const std::wstring& name, std::uint32_t startType);
// Asks the service to stop; does not wait for it to reach the stopped state.
bool stopService(const std::wstring& name);

}  // namespace vx
