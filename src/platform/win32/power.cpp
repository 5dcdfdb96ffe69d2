// The active power scheme through powrprof.
#include "platform/power.h"

#include <windows.h>
#include <powrprof.h>

#include <cstring>

#include "platform/win32/handles.h"

namespace vx {

static_assert(sizeof(GUID) == sizeof(Guid::bytes), "a GUID is 16 bytes in memory order");

std::optional<Guid> activePowerScheme() {
  GUID* raw = nullptr;
  const DWORD status = PowerGetActiveScheme(nullptr, &raw);
  const win32::UniqueLocalMemory<GUID> scheme(raw);
  if (status != ERROR_SUCCESS || !scheme) return std::nullopt;
  Guid result;
  std::memcpy(result.bytes.data(), scheme.get(), sizeof(GUID));
  return result;
}

bool setActivePowerScheme(const Guid& scheme) {
  GUID guid;
  std::memcpy(&guid, scheme.bytes.data(), sizeof(GUID));
  return PowerSetActiveScheme(nullptr, &guid) == ERROR_SUCCESS;
}

}  // namespace vx
