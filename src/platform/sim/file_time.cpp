// Last-write times on the simulated machine: the host file's own modification time.
#include "platform/file_time.h"

#include <chrono>
#include <filesystem>
#include <mutex>

#include "platform/sim/machine_state.h"

namespace vx {

std::optional<std::int64_t> fileWriteTime(const std::wstring& path) {
  std::filesystem::path host;
  {
    auto& m = sim::machine();
    std::lock_guard lock(m.mutex());
    host = sim::mapWindowsPath(m.state().root, path);
  }
  if (host.empty()) return std::nullopt;
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(host, ec);
  if (ec) return std::nullopt;
  // Nanoseconds of the host clock divided down to the FILETIME unit; only the order matters.
  return static_cast<std::int64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count() / 100);
}

}  // namespace vx
