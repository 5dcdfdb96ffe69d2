// Appending to a file: opened with FILE_APPEND_DATA only, so each WriteFile lands whole at the end
// of the file even while another process appends too, and written in one call.
#include <windows.h>

#include <limits>

#include "platform/files.h"
#include "platform/win32/handles.h"

namespace vx {

bool appendFileBytes(const std::wstring& path, const std::string& bytes) {
  if (path.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) return false;
  // FILE_FLAG_OPEN_REPARSE_POINT: a link under the name is opened itself, never followed; it is
  // then refused below.
  const win32::UniqueHandle file = win32::adoptFileHandle(
      CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return false;
  // Windows refuses to open a read-only file for appending (access denied); Wine does not when it
  // runs as root, so the attribute is checked here as well and both refuse alike.
  BY_HANDLE_FILE_INFORMATION info{};
  constexpr DWORD kRefused = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;
  if (!GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & kRefused) != 0) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return ok && written == bytes.size();
}

}  // namespace vx
