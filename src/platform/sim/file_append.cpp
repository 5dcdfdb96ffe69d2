// Appending to a file on the simulated machine: one write(2) with O_APPEND, as FILE_APPEND_DATA
// makes one WriteFile land whole at the end of the file even with another writer.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace {

namespace fs = std::filesystem;

bool inside(const fs::path& path, const fs::path& folder) {
  auto [f, p] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return f == folder.end();
}

}  // namespace

bool appendFileBytes(const std::wstring& path, const std::string& bytes) {
  fs::path host;
  {
    auto& m = sim::machine();
    std::lock_guard lock(m.mutex());
    host = sim::mapWindowsPath(m.state().root, path).lexically_normal();
    if (host.empty() || !host.has_filename()) return false;
    for (const auto& denied : m.state().deniedDirs)
      if (inside(host, denied) && host != denied) return false;
    for (const auto& full : m.state().fullDirs)
      if (inside(host, full)) return false;
  }
  // Windows refuses to open a read-only file for appending; Wine does not (it runs as root), nor
  // would this host.
  std::error_code ec;
  const auto own = fs::symlink_status(host, ec);
  if (!ec && own.type() == fs::file_type::regular && (own.permissions() & fs::perms::owner_write) == fs::perms::none)
    return false;
  // O_NOFOLLOW: a link under the name is never written through.
  const int fd = ::open(host.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const ssize_t written = bytes.empty() ? 0 : ::write(fd, bytes.data(), bytes.size());
  const bool closed = ::close(fd) == 0;
  return closed && written == static_cast<ssize_t>(bytes.size());
}

}  // namespace vx
