#include "services/temp_cleanup.h"

#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/files.h"
#include "platform/system.h"

namespace vx {

namespace {

// The folder's components with '/' read as '\' and no empty parts: "C:\Users\Player\" gives
// "c:", "users", "player" (folded). Nothing when a part is "." or "..": such a name says little
// about where it leads, so it is never trusted as a Temp folder.
std::optional<std::vector<std::wstring>> foldedParts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  std::wstring part;
  const auto flush = [&]() -> bool {
    if (part == L"." || part == L"..") return false;
    if (!part.empty()) parts.push_back(toLowerFolded(part));
    part.clear();
    return true;
  };
  for (wchar_t c : path) {
    if (c == L'\\' || c == L'/') {
      if (!flush()) return std::nullopt;
    } else {
      part.push_back(c);
    }
  }
  if (!flush()) return std::nullopt;
  return parts;
}

// True when `inner` is `outer` itself or lies below it.
bool within(const std::vector<std::wstring>& inner, const std::vector<std::wstring>& outer) {
  if (outer.empty() || inner.size() < outer.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i)
    if (inner[i] != outer[i]) return false;
  return true;
}

bool isDriveQualified(const std::vector<std::wstring>& parts) {
  return !parts.empty() && parts[0].size() == 2 && parts[0][1] == L':';
}

// The folders a Temp folder may never be, nor contain.
std::vector<std::vector<std::wstring>> protectedFolders() {
  std::vector<std::vector<std::wstring>> folders;
  for (const auto& folder : {windowsDirectory(), systemDirectory(), environmentVariable(L"USERPROFILE"),
                             programDataFolder()}) {
    if (!folder) continue;
    if (auto parts = foldedParts(*folder); parts && !parts->empty()) folders.push_back(std::move(*parts));
  }
  return folders;
}

// A folder under the Windows folder: exactly "<Windows>\name", and only when the Windows folder
// itself is a drive folder, never a drive root.
std::optional<std::wstring> windowsSubfolder(const wchar_t* name) {
  const auto windows = windowsDirectory();
  if (!windows) return std::nullopt;
  const auto parts = foldedParts(*windows);
  if (!parts || parts->size() < 2 || !isDriveQualified(*parts)) return std::nullopt;
  return joinPath(*windows, name);
}

}  // namespace

bool isSaneTempFolder(const std::wstring& path) {
  const auto parts = foldedParts(path);
  if (!parts || parts->size() < 2 || !isDriveQualified(*parts)) return false;  // a drive root or no drive
  if (parts->back() != L"temp" && parts->back() != L"tmp") return false;
  for (const auto& folder : protectedFolders())
    if (within(folder, *parts)) return false;  // the folder itself, or one of its parents
  return true;
}

std::uint64_t cleanFolder(const std::wstring& path, CleanupResult& result) {
  const auto deleted = deleteFolderContents(path);
  if (!deleted) return 0;
  result.filesDeleted += deleted->filesDeleted;
  result.failedDeletions += deleted->failedDeletions;
  return deleted->bytesDeleted;
}

CleanupResult cleanTempFiles() {
  CleanupResult result;
  std::uint64_t bytes = 0;
  if (const auto temp = tempDirectory(); temp && isSaneTempFolder(*temp)) bytes += cleanFolder(*temp, result);
  if (const auto temp = windowsSubfolder(L"Temp")) bytes += cleanFolder(*temp, result);
  if (const auto prefetch = windowsSubfolder(L"Prefetch")) bytes += cleanFolder(*prefetch, result);
  result.megabytesFreed = bytes >> 20;
  return result;
}

}  // namespace vx
