// Deleting temporary files: the user's Temp folder, the Windows Temp folder and Prefetch lose their
// contents, the folders themselves stay. Runs on the cleanup job's thread and for vxctl clean temp.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

struct CleanupResult {
  std::uint64_t filesDeleted = 0;
  std::uint64_t megabytesFreed = 0;  // bytes of the deleted files >> 20 (whole MiB, rounded down)
  std::uint64_t failedDeletions = 0;  // files that could not be deleted (usually in use)
  bool operator==(const CleanupResult&) const = default;
};

// Deletes everything below the folder and returns the bytes of the files deleted; counts into
// result. A missing folder (or one that is itself a link) changes nothing. Links, junctions and
// mount points found inside are skipped: neither entered nor deleted, so nothing outside the
// folder is ever touched. Read-only files lose that flag and are deleted; folders are removed once
// empty; a failure never stops the walk.
std::uint64_t cleanFolder(const std::wstring& path, CleanupResult& result);

// The user's Temp (GetTempPathW), then the Windows folder's Temp and Prefetch.
CleanupResult cleanTempFiles();

}  // namespace vx
