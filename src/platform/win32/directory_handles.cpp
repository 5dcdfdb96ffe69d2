#include "platform/win32/directory_handles.h"

#include <winternl.h>

#include <cstring>

#include "platform/win32/native_api.h"

namespace vx::win32 {

namespace {

native::NtCreateFileFn ntCreateFile() {
  static const auto function = nativeFunction(native::kNtCreateFile);
  return function;
}

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// winternl.h names only some of the create options.
constexpr ULONG kDirectoryFile = 0x00000001;     // FILE_DIRECTORY_FILE
constexpr ULONG kNonDirectoryFile = 0x00000040;  // FILE_NON_DIRECTORY_FILE
constexpr ULONG kOpenReparsePoint = 0x00200000;  // FILE_OPEN_REPARSE_POINT
constexpr ULONG kSynchronousIo = 0x00000020;     // FILE_SYNCHRONOUS_IO_NONALERT
constexpr ULONG kFileOpen = 1;                   // FILE_OPEN: only an existing entry
constexpr ULONG kCaseInsensitive = 0x40;         // OBJ_CASE_INSENSITIVE

constexpr DWORD kListingBufferBytes = 64 * 1024;

}  // namespace

UniqueHandle openFolderItself(const std::wstring& path, DWORD access) {
  return adoptFileHandle(CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

UniqueHandle openEntry(HANDLE parent, const std::wstring& name, EntryKind kind, DWORD access) {
  const native::NtCreateFileFn create = ntCreateFile();
  const std::size_t bytes = name.size() * sizeof(wchar_t);
  if (create == nullptr || name.empty() || bytes > 0xFFFE) return {};
  UNICODE_STRING objectName;
  objectName.Length = static_cast<USHORT>(bytes);
  objectName.MaximumLength = static_cast<USHORT>(bytes);
  objectName.Buffer = const_cast<PWSTR>(name.c_str());
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.RootDirectory = parent;
  attributes.ObjectName = &objectName;
  attributes.Attributes = kCaseInsensitive;
  IO_STATUS_BLOCK status{};
  HANDLE handle = nullptr;
  const ULONG options = kOpenReparsePoint | kSynchronousIo | (kind == EntryKind::Folder ? kDirectoryFile : kNonDirectoryFile);
  const LONG result = create(&handle, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, kShareAll, kFileOpen,
                             options, nullptr, 0);
  if (result < 0) return {};  // NT_SUCCESS is a non-negative status
  return UniqueHandle(handle);
}

std::optional<DWORD> attributesOf(HANDLE handle) {
  FILE_BASIC_INFO info{};
  if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info)) return std::nullopt;
  return info.FileAttributes;
}

std::optional<std::vector<HandleEntry>> listThroughHandle(HANDLE folder) {
  // DWORD-aligned, as the entries in it are.
  std::vector<std::uint64_t> buffer(kListingBufferBytes / sizeof(std::uint64_t));
  std::vector<HandleEntry> entries;
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!GetFileInformationByHandleEx(folder, kind, buffer.data(), kListingBufferBytes)) {
      if (GetLastError() == ERROR_NO_MORE_FILES) return entries;
      return std::nullopt;
    }
    kind = FileIdBothDirectoryInfo;
    const auto* base = reinterpret_cast<const unsigned char*>(buffer.data());
    for (DWORD offset = 0;;) {
      const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(base + offset);
      std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..")
        entries.push_back({std::move(name), info->FileAttributes, static_cast<std::uint64_t>(info->EndOfFile.QuadPart)});
      if (info->NextEntryOffset == 0) break;
      offset += info->NextEntryOffset;
    }
  }
}

}  // namespace vx::win32
