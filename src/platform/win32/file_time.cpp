// Last-write times through kernel32.
#include "platform/file_time.h"

#include <windows.h>

namespace vx {

std::optional<std::int64_t> fileWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return static_cast<std::int64_t>(ticks);
}

}  // namespace vx
