// The active power scheme through powrprof.
#include "platform/power.h"

#include <windows.h>
#include <powrprof.h>

#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace vx {

namespace {

// powrprof.dll is not a known DLL, so it is loaded from System32 at run time rather than imported.
using GetActiveSchemeFunction = DWORD(WINAPI*)(HKEY, GUID**);
using SetActiveSchemeFunction = DWORD(WINAPI*)(HKEY, const GUID*);

}  // namespace

static_assert(sizeof(GUID) == sizeof(Guid::bytes), "a GUID is 16 bytes in memory order");

std::optional<Guid> activePowerScheme() {
  const auto getActiveScheme = win32::systemFunction<GetActiveSchemeFunction>(L"powrprof.dll", "PowerGetActiveScheme");
  if (getActiveScheme == nullptr) return std::nullopt;
  GUID* raw = nullptr;
  const DWORD status = getActiveScheme(nullptr, &raw);
  const win32::UniqueLocalMemory<GUID> scheme(raw);
  if (status != ERROR_SUCCESS || !scheme) return std::nullopt;
  Guid result;
  std::memcpy(result.bytes.data(), scheme.get(), sizeof(GUID));
  return result;
}

bool setActivePowerScheme(const Guid& scheme) {
  const auto setActiveScheme = win32::systemFunction<SetActiveSchemeFunction>(L"powrprof.dll", "PowerSetActiveScheme");
  if (setActiveScheme == nullptr) return false;
  GUID guid;
  std::memcpy(&guid, scheme.bytes.data(), sizeof(GUID));
  return setActiveScheme(nullptr, &guid) == ERROR_SUCCESS;
}

}  // namespace vx
