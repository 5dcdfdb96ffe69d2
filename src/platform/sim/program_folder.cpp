// The private program folder on the simulated machine. Windows lets only the owner, or a holder of
// SeTakeOwnershipPrivilege, give a folder another owner; Wine keeps no owners at all, so only this
// model refuses a user's folder that an unelevated process cannot take over.
#include "platform/program_folder.h"

#include <system_error>

#include "platform/privileges.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace fs = std::filesystem;

bool ensurePrivateFolder(const std::wstring& path) {
  enablePrivilege(Privilege::TakeOwnership);  // refused without elevation; taking over then fails
  auto& m = sim::machine();
  fs::path host;
  {
    std::lock_guard lock(m.mutex());
    host = sim::mapWindowsPath(m.state().root, path).lexically_normal();
  }
  if (host.empty()) return false;
  const sim::Machine::State::FileSecurity own{sim::Machine::kAdministratorsOwner, false};
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(host, ec);
  if (status.type() == fs::file_type::not_found) {
    if (!fs::create_directory(host, ec) || ec) return false;
    std::lock_guard lock(m.mutex());
    m.state().security[host] = own;  // created with the descriptor: nothing to take over
    return true;
  }
  if (ec || status.type() != fs::file_type::directory) return false;  // a link (reparse point) or a file

  std::lock_guard lock(m.mutex());
  auto& s = m.state();
  if (s.securityChangesFail) return false;
  const bool mayTakeOver = s.token.enabled.count(Privilege::TakeOwnership) != 0;
  const auto takeOver = [&](const fs::path& entry) {
    auto& descriptor = s.security[entry];
    if (!descriptor.owner.empty() && descriptor.owner != own.owner && !mayTakeOver) return false;
    descriptor = own;
    return true;
  };
  if (!takeOver(host)) return false;
  // Everything inside, links included as entries of their own; a link is never followed.
  for (fs::recursive_directory_iterator it(host, fs::directory_options::none, ec), end; !ec && it != end;
       it.increment(ec))
    if (!takeOver(it->path().lexically_normal())) return false;
  return !ec;
}

}  // namespace vx
