// The private program folder through the Win32 security API: created with an explicit protected
// DACL, or taken over (owner, then DACL) together with everything in it, through handles only.
#include "platform/program_folder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "platform/privileges.h"
#include "platform/win32/directory_handles.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

using win32::EntryKind;
using win32::UniqueHandle;

// Owner Administrators; SYSTEM and Administrators full control, Users read and execute
// (0x1200a9: FILE_GENERIC_READ | FILE_GENERIC_EXECUTE), inherited by everything created inside;
// "P" protects the DACL from what ProgramData would pass down.
constexpr const wchar_t* kPrivateFolderSddl = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kReadBack = FILE_READ_ATTRIBUTES;
constexpr DWORD kFolderExtra = FILE_LIST_DIRECTORY | FILE_TRAVERSE;

struct Descriptor {
  PSID owner = nullptr;
  PACL dacl = nullptr;
};

// A handle that may change the DACL (and list a folder). With a hostile DACL only the owner may
// change it, so the owner is set first through a handle opened for that alone (which
// SeTakeOwnershipPrivilege grants) and the object is then reopened from that handle.
// `open(access)` opens the object itself, never through a link.
template <typename Open>
UniqueHandle takeOver(const Open& open, bool folder, const Descriptor& d, bool& failed) {
  const DWORD extra = folder ? kFolderExtra : 0;
  UniqueHandle handle = open(WRITE_OWNER | WRITE_DAC | READ_CONTROL | kReadBack | extra);
  if (!handle) {
    const UniqueHandle owner = open(WRITE_OWNER | kReadBack);
    if (!owner || SetSecurityInfo(owner.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, d.owner, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS) {
      failed = true;
      return {};
    }
    handle = win32::adoptFileHandle(ReOpenFile(owner.get(), WRITE_OWNER | WRITE_DAC | READ_CONTROL | kReadBack | extra,
                                               kShareAll, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT));
    if (!handle) {
      failed = true;
      return {};
    }
  }
  if (SetSecurityInfo(handle.get(), SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                      d.owner, nullptr, d.dacl, nullptr) != ERROR_SUCCESS) {
    failed = true;
    return {};
  }
  return handle;
}

// Everything listed in the folder gets the owner and DACL; folders are entered, links only get
// them on themselves. Entries are opened relative to the folder's handle.
bool secureContents(HANDLE folder, const Descriptor& d, int depth) {
  constexpr int kMaxDepth = 64;  // far deeper than anything the program keeps there
  const auto entries = win32::listThroughHandle(folder);
  if (!entries) return false;
  for (const win32::HandleEntry& entry : *entries) {
    const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const auto open = [&](DWORD access) {
      return win32::openEntry(folder, entry.name, isFolder ? EntryKind::Folder : EntryKind::File, access);
    };
    bool failed = false;
    const UniqueHandle child = takeOver(open, isFolder, d, failed);
    if (failed) return false;
    const auto attributes = win32::attributesOf(child.get());
    if (!attributes) return false;
    const bool link = (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (isFolder && !link && (depth >= kMaxDepth || !secureContents(child.get(), d, depth + 1))) return false;
  }
  return true;
}

}  // namespace

bool ensurePrivateFolder(const std::wstring& path) {
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kPrivateFolderSddl, SDDL_REVISION_1, &raw, nullptr))
    return false;
  const win32::UniqueLocalMemory<void> descriptor(raw);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, raw, FALSE};
  if (CreateDirectoryW(path.c_str(), &attributes)) return true;  // new: it has the descriptor already
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;

  Descriptor d;
  BOOL defaulted = FALSE, present = FALSE;
  if (!GetSecurityDescriptorOwner(raw, &d.owner, &defaulted) ||
      !GetSecurityDescriptorDacl(raw, &present, &d.dacl, &defaulted) || !present)
    return false;
  // Without it a folder whose DACL shuts the administrators out cannot be taken over; whether
  // that is needed shows when the owner is set.
  enablePrivilege(Privilege::TakeOwnership);

  const UniqueHandle probe = win32::openFolderItself(path, kReadBack);
  if (!probe) return false;
  const auto probed = win32::attributesOf(probe.get());
  if (!probed || !(*probed & FILE_ATTRIBUTE_DIRECTORY) || (*probed & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  bool failed = false;
  const UniqueHandle folder =
      takeOver([&](DWORD access) { return win32::openFolderItself(path, access); }, true, d, failed);
  if (failed || !folder) return false;
  // The same object as probed: a swap in between would have to pass through the new DACL.
  const auto now = win32::attributesOf(folder.get());
  if (!now || (*now & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return secureContents(folder.get(), d, 0);
}

}  // namespace vx
