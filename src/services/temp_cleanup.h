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
// result. A missing folder (or one that is itself a link) changes nothing. The walk goes through
// handles (deleteFolderContents), so links, junctions and mount points found inside - also one
// swapped in while the walk runs - are neither entered nor deleted and nothing outside the folder
// is ever touched. Read-only files are deleted; folders are removed once empty; a failure never
// stops the walk.
std::uint64_t cleanFolder(const std::wstring& path, CleanupResult& result);

// Whether the folder GetTempPathW names may be emptied: its last part is "Temp" or "Tmp" (any
// case), it is not a drive root, and it is not the Windows folder, the system folder, the user's
// profile or ProgramData, nor a folder holding any of them. TEMP set to "C:\" must never empty
// the drive.
bool isSaneTempFolder(const std::wstring& path);

// The user's Temp (GetTempPathW) when isSaneTempFolder, then exactly the Windows folder's Temp and
// Prefetch; a part that is skipped counts nothing.
CleanupResult cleanTempFiles();

}  // namespace vx
