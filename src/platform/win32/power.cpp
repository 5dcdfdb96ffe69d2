// The active power scheme through powrprof (not a known DLL: loaded from System32 at run time,
// native_api.h).
#include "platform/power.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/native_api.h"

namespace vx {

namespace {

// Windows stops the enumeration with ERROR_NO_MORE_ITEMS; a machine has a handful of schemes, so
// a longer run means the call misbehaves.
constexpr ULONG kMaxSchemes = 64;

}  // namespace

static_assert(sizeof(GUID) == sizeof(Guid::bytes), "a GUID is 16 bytes in memory order");

std::optional<Guid> activePowerScheme() {
  const auto getActiveScheme = win32::nativeFunction(win32::native::kPowerGetActiveScheme);
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
  const auto setActiveScheme = win32::nativeFunction(win32::native::kPowerSetActiveScheme);
  if (setActiveScheme == nullptr) return false;
  GUID guid;
  std::memcpy(&guid, scheme.bytes.data(), sizeof(GUID));
  return setActiveScheme(nullptr, &guid) == ERROR_SUCCESS;
}

std::optional<std::vector<Guid>> powerSchemes() {
  const auto enumerate = win32::nativeFunction(win32::native::kPowerEnumerate);
  if (enumerate == nullptr) return std::nullopt;
  std::vector<Guid> schemes;
  for (ULONG index = 0; index < kMaxSchemes; ++index) {
    GUID guid{};
    DWORD size = sizeof(guid);
    const DWORD status =
        enumerate(nullptr, nullptr, nullptr, ACCESS_SCHEME, index, reinterpret_cast<UCHAR*>(&guid), &size);
    if (status == ERROR_NO_MORE_ITEMS) return schemes;
    if (status != ERROR_SUCCESS || size != sizeof(guid)) return std::nullopt;
    Guid scheme;
    std::memcpy(scheme.bytes.data(), &guid, sizeof(GUID));
    schemes.push_back(scheme);
  }
  return std::nullopt;
}

}  // namespace vx
