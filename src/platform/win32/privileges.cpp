// The process token through advapi32.
#include "platform/privileges.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace vx {

namespace {

win32::UniqueHandle openProcessToken(DWORD access) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), access, &token)) return {};
  return win32::UniqueHandle(token);
}

const wchar_t* privilegeName(Privilege privilege) {
  switch (privilege) {
    case Privilege::ProfileSingleProcess: return L"SeProfileSingleProcessPrivilege";
    case Privilege::TakeOwnership: return L"SeTakeOwnershipPrivilege";
  }
  return L"";
}

}  // namespace

bool processIsElevated() {
  const auto token = openProcessToken(TOKEN_QUERY);
  if (!token) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return false;
  return elevation.TokenIsElevated != 0;
}

bool enablePrivilege(Privilege privilege) {
  const auto token = openProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
  if (!token) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, privilegeName(privilege), &privileges.Privileges[0].Luid)) return false;
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
  // TRUE with ERROR_NOT_ALL_ASSIGNED: the token does not hold the privilege (not elevated).
  return GetLastError() != ERROR_NOT_ALL_ASSIGNED;
}

}  // namespace vx
