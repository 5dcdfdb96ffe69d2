// When a file was last written, for choosing the newest of several installed copies of a game.
// Used by game discovery; implemented by win32/ (GetFileAttributesExW) and sim/.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vx {

// The last-write time in 100-nanosecond units (a FILETIME as one number); only the order of two
// readings is meaningful. Nothing when the file or folder cannot be examined.
std::optional<std::int64_t> fileWriteTime(const std::wstring& path);

}  // namespace vx
