// Opening files and URIs on the simulated machine: every call is recorded; a drive path opens only
// when something exists there, anything else (a URI such as "ms-settings:display") always opens.
#include "platform/shell.h"

#include <filesystem>
#include <mutex>

#include "platform/sim/machine_state.h"

namespace vx {

bool shellOpen(const std::wstring& target) {
  auto& m = sim::machine();
  std::filesystem::path host;
  {
    std::lock_guard lock(m.mutex());
    m.state().shellOpened.push_back(target);
    host = sim::mapWindowsPath(m.state().root, target);
  }
  if (host.empty()) return true;
  std::error_code ec;
  return std::filesystem::exists(host, ec);
}

}  // namespace vx
