// Service start types through the Service Control Manager of the local machine (advapi32).
#include "platform/services.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"

namespace vx {

namespace {

using win32::UniqueServiceHandle;

// The service opened with the given rights through a manager opened for connecting only; the
// manager handle may be closed first, the service handle stays valid on its own.
UniqueServiceHandle openService(const std::wstring& name, DWORD access) {
  const UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return {};
  return UniqueServiceHandle(OpenServiceW(manager.get(), name.c_str(), access));
}

}  // namespace

bool serviceExists(const std::wstring& name) { return static_cast<bool>(openService(name, SERVICE_QUERY_CONFIG)); }

int serviceStartType(const std::wstring& name) {
  const UniqueServiceHandle service = openService(name, SERVICE_QUERY_CONFIG);
  if (!service) return -1;
  DWORD needed = 0;
  if (QueryServiceConfigW(service.get(), nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
      needed < sizeof(QUERY_SERVICE_CONFIGW))
    return -1;
  // 8-byte elements keep the structure's pointers aligned.
  std::vector<std::uint64_t> buffer((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  if (!QueryServiceConfigW(service.get(), config, static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t)), &needed))
    return -1;
  return static_cast<int>(config->dwStartType);
}

bool setServiceStartType(const std::wstring& name, std::uint32_t startType) {
  const UniqueServiceHandle service = openService(name, SERVICE_QUERY_CONFIG | SERVICE_CHANGE_CONFIG);
  if (!service) return false;
  return ChangeServiceConfigW(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr) != FALSE;
}

bool stopService(const std::wstring& name) {
  const UniqueServiceHandle service = openService(name, SERVICE_STOP | SERVICE_QUERY_STATUS);
  if (!service) return false;
  SERVICE_STATUS status{};
  return ControlService(service.get(), SERVICE_CONTROL_STOP, &status) != FALSE;
}

}  // namespace vx
