// A folder's owner and DACL through GetNamedSecurityInfoW, read only.
#include "platform/folder_security.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "platform/win32/handles.h"

namespace vx {

namespace {

// Rights that let a holder put something into the folder or change who may.
constexpr ACCESS_MASK kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                                     FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                     GENERIC_ALL;

// The groups every signed-in user belongs to.
constexpr WELL_KNOWN_SID_TYPE kOrdinaryUsers[] = {WinBuiltinUsersSid, WinAuthenticatedUserSid, WinWorldSid,
                                                  WinInteractiveSid};

bool isOrdinaryUsers(PSID sid) {
  for (const WELL_KNOWN_SID_TYPE type : kOrdinaryUsers)
    if (IsWellKnownSid(sid, type)) return true;
  return false;
}

std::wstring accountName(PSID sid) {
  wchar_t name[256] = {};
  wchar_t domain[256] = {};
  DWORD nameChars = 256, domainChars = 256;
  SID_NAME_USE use{};
  if (LookupAccountSidW(nullptr, sid, name, &nameChars, domain, &domainChars, &use))
    return domain[0] != L'\0' ? std::wstring(domain) + L"\\" + name : std::wstring(name);
  wchar_t* raw = nullptr;
  if (!ConvertSidToStringSidW(sid, &raw)) return {};
  const win32::UniqueLocalMemory<wchar_t> text(raw);
  return text.get();
}

bool usersMayWrite(const ACL* dacl) {
  if (dacl == nullptr) return true;  // a null DACL grants everyone everything
  ACL_SIZE_INFORMATION size{};
  if (!GetAclInformation(const_cast<ACL*>(dacl), &size, sizeof size, AclSizeInformation)) return true;
  for (DWORD i = 0; i < size.AceCount; ++i) {
    void* raw = nullptr;
    if (!GetAce(const_cast<ACL*>(dacl), i, &raw)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(raw);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
    auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(raw);
    if ((ace->Mask & kWriteRights) != 0 && isOrdinaryUsers(&ace->SidStart)) return true;
  }
  return false;
}

}  // namespace

std::optional<FolderSecurity> folderSecurity(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                            &owner, nullptr, &dacl, nullptr, &raw) != ERROR_SUCCESS)
    return std::nullopt;
  const win32::UniqueLocalMemory<void> descriptor(raw);  // owner and dacl point into it
  FolderSecurity security;
  if (owner != nullptr) {
    security.owner = accountName(owner);
    security.ownerIsAdministrators = IsWellKnownSid(owner, WinBuiltinAdministratorsSid) != FALSE;
  }
  security.usersMayWrite = usersMayWrite(dacl);
  return security;
}

}  // namespace vx
