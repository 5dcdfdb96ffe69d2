// A folder's owner and write access on the simulated machine, from its model of descriptors
// (machine_security.cpp). Windows reads back what was set; Wine does not.
#include "platform/folder_security.h"

#include <system_error>

#include "platform/sim/machine_state.h"

namespace vx {

std::optional<FolderSecurity> folderSecurity(const std::wstring& path) {
  auto& m = sim::machine();
  std::error_code ec;
  if (!std::filesystem::is_directory(m.hostPath(path), ec)) return std::nullopt;
  FolderSecurity security;
  security.owner = m.fileOwner(path);
  security.ownerIsAdministrators = security.owner == sim::Machine::kAdministratorsOwner;
  security.usersMayWrite = m.usersCanWrite(path);
  return security;
}

}  // namespace vx
