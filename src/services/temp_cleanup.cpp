#include "services/temp_cleanup.h"

#include "platform/files.h"
#include "platform/system.h"

namespace vx {

namespace {

void deleteTree(const std::wstring& folder, CleanupResult& result, std::uint64_t& bytes) {
  const auto entries = listDirectory(folder);
  if (!entries) return;
  for (const DirEntry& entry : *entries) {
    const std::wstring path = joinPath(folder, entry.name);
    // A link may point anywhere, and under Wine removing a folder link removes what it points to.
    if (entry.isLink) continue;
    if (entry.isDirectory) {
      deleteTree(path, result, bytes);
      removeEmptyDirectory(path);  // a folder that kept a file in use stays
    } else if (removeFileClearingReadOnly(path)) {
      ++result.filesDeleted;
      bytes += entry.size;
    } else {
      ++result.failedDeletions;
    }
  }
}

}  // namespace

std::uint64_t cleanFolder(const std::wstring& path, CleanupResult& result) {
  const FileStatus status = fileStatus(path);
  if (status.kind != FileKind::Directory || status.isLink) return 0;
  std::uint64_t bytes = 0;
  deleteTree(path, result, bytes);
  return bytes;
}

CleanupResult cleanTempFiles() {
  CleanupResult result;
  std::uint64_t bytes = 0;
  if (const auto temp = tempDirectory()) bytes += cleanFolder(*temp, result);
  if (const auto windows = windowsDirectory()) bytes += cleanFolder(joinPath(*windows, L"Temp"), result);
  if (const auto windows = windowsDirectory()) bytes += cleanFolder(joinPath(*windows, L"Prefetch"), result);
  result.megabytesFreed = bytes >> 20;
  return result;
}

}  // namespace vx
