// Where the simulated machine keeps its drives: "C:\x\y" lives at <root>/C/x/y on the host.
#include <system_error>

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace fs = std::filesystem;

namespace {

bool isAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// The entry of folder whose name equals name without regard to case, or nothing. An exact
// match wins, so two host entries that differ only in case stay reachable.
std::optional<fs::path> findEntry(const fs::path& folder, const std::wstring& name) {
  std::error_code ec;
  const fs::path exact = folder / toUtf8(name);
  if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (equalsFolded(fromUtf8(it->path().filename().string()), name)) return it->path();
  }
  return std::nullopt;
}

}  // namespace

fs::path mapWindowsPath(const fs::path& root, std::wstring_view windowsPath) {
  std::wstring path(windowsPath);
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);  // long-path prefix
  if (root.empty() || path.size() < 2 || path[1] != L':' || !isAsciiLetter(path[0])) return {};

  // Resolve "." and ".." first, the way GetFullPathNameW does; ".." stops at the drive.
  std::vector<std::wstring> parts;
  std::size_t start = 2;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(L'\\', start), path.size());
    const std::wstring part = path.substr(start, end - start);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    start = end + 1;
  }

  const wchar_t drive = path[0] >= L'a' ? static_cast<wchar_t>(path[0] - 32) : path[0];
  fs::path host = root / std::string(1, static_cast<char>(drive));
  bool existing = true;
  for (const auto& part : parts) {
    if (existing) {
      if (auto found = findEntry(host, part)) {
        host = *found;
        continue;
      }
      existing = false;
    }
    host /= toUtf8(part);
  }
  return host;
}

}  // namespace vx::sim
