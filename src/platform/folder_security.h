// Reading a folder's security descriptor back: its owner and whether ordinary users may write in
// it. vxctl selftest shows it for the private program folder; nothing decides on it (Wine keeps
// no descriptors, see program_folder.h). Implemented by win32/ and sim/.
#pragma once
#include <optional>
#include <string>

namespace vx {

struct FolderSecurity {
  std::wstring owner;                  // "DOMAIN\name" of the owner SID, or the SID as text
  bool ownerIsAdministrators = false;  // the owner is BUILTIN\Administrators
  // An allow entry that applies to the folder itself gives Users, Authenticated Users, Everyone
  // or Interactive a right to write, add, delete or change the descriptor (or the DACL is null).
  bool usersMayWrite = false;
};

// GetNamedSecurityInfoW with the owner and the DACL; nothing when the folder does not exist or its
// descriptor cannot be read.
std::optional<FolderSecurity> folderSecurity(const std::wstring& path);

}  // namespace vx
