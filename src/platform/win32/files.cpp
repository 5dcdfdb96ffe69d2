// Files and folders through the Win32 file API; paths go to Windows exactly as given.
#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <limits>

#include "base/text.h"
#include "platform/win32/directory_handles.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

using win32::UniqueHandle;

constexpr DWORD kIoChunk = 1u << 20;  // ReadFile / WriteFile take 32-bit counts

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::uint64_t combinedSize(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

bool writeAll(HANDLE file, const std::string& bytes) {
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, kIoChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + offset, chunk, &written, nullptr) || written == 0) return false;
    offset += written;
  }
  return true;
}

// A name for the temporary file of an atomic write that no other writer in this or another
// process picks at the same time.
std::wstring temporarySibling(const std::wstring& path) {
  static std::atomic<std::uint32_t> counter{0};
  return path + kAtomicWriteSuffix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L"-" +
         std::to_wstring(GetTickCount64());
}

std::wstring withoutTrailingSeparators(std::wstring path) {
  while (path.size() > 1 && isSeparator(path.back())) path.pop_back();
  return path;
}

bool isDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool walkFolder(const std::wstring& folder, int depth, int maxDepth,
                const std::function<bool(const std::wstring&, const DirEntry&)>& visit) {
  const auto entries = listDirectory(folder);
  if (!entries) return true;  // cannot be listed: skipped, the walk goes on
  for (const DirEntry& entry : *entries) {
    const std::wstring path = joinPath(folder, entry.name);
    if (!visit(path, entry)) return false;
    // A link may lead anywhere, also back up the tree or out of it: reported, never entered.
    if (entry.isDirectory && !entry.isLink && depth < maxDepth && !walkFolder(path, depth + 1, maxDepth, visit))
      return false;
  }
  return true;
}

}  // namespace

FileStatus fileStatus(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  FileStatus status;
  status.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  status.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    status.kind = FileKind::Directory;
  } else {
    status.kind = FileKind::File;
    status.size = combinedSize(data.nFileSizeHigh, data.nFileSizeLow);
  }
  return status;
}

std::optional<std::string> readFileBytes(const std::wstring& path) {
  const UniqueHandle file = win32::adoptFileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > std::string().max_size())
    return std::nullopt;

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  std::string chunk(kIoChunk, '\0');
  // Read to the end rather than trusting the size: another writer may change the file meanwhile.
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk.data(), kIoChunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    bytes.append(chunk.data(), read);
  }
  return bytes;
}

BoundedRead readFileBounded(const std::wstring& path, std::uint64_t maxBytes) {
  const UniqueHandle file = win32::adoptFileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {};
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return {ReadStatus::TooLarge, {}};
  if (maxBytes >= std::string().max_size()) return {};

  BoundedRead result;
  std::string chunk(kIoChunk, '\0');
  // Read to the end rather than trusting the size, but never keep more than one byte past the
  // limit: a file that grows meanwhile is still caught.
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk.data(), kIoChunk, &read, nullptr)) return {};
    if (read == 0) break;
    result.bytes.append(chunk.data(), read);
    if (result.bytes.size() > maxBytes) return {ReadStatus::TooLarge, {}};
  }
  result.status = ReadStatus::Ok;
  return result;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
  const UniqueHandle file = win32::adoptFileHandle(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && writeAll(file.get(), bytes);
}

namespace {

// Writes the bytes to a new temporary file beside the path and moves it to the path with the
// given MoveFileExW flags; the temporary file never stays behind when the call fails.
bool writeThroughTemporary(const std::wstring& path, const std::string& bytes, DWORD moveFlags) {
  if (path.empty()) return false;
  std::wstring temporary;
  UniqueHandle file;
  // CREATE_NEW never reuses a file somebody else left behind under the same name.
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temporary = temporarySibling(path);
    file = win32::adoptFileHandle(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (!file) return false;

  // The data must be on disk before the rename makes it the file's content.
  const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
  file.reset();
  if (written && MoveFileExW(temporary.c_str(), path.c_str(), moveFlags | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace

bool writeFileAtomic(const std::wstring& path, const std::string& bytes) {
  return writeThroughTemporary(path, bytes, MOVEFILE_REPLACE_EXISTING);
}

bool writeNewFileAtomic(const std::wstring& path, const std::string& bytes) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails with ERROR_ALREADY_EXISTS when anything is
  // under the name, a link included; the rename acts on the name, so a link is never followed.
  return writeThroughTemporary(path, bytes, 0);
}

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
  if (path.empty()) return false;
  // FILE_FLAG_OPEN_REPARSE_POINT: a link already under the name is the name taken, never followed.
  UniqueHandle file = win32::adoptFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return false;
  const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
  file.reset();
  if (!written) DeleteFileW(path.c_str());
  return written;
}

bool setFileReadOnly(const std::wstring& path, bool readOnly) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  wanted &= ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
  return SetFileAttributesW(path.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted) != FALSE;
}

std::optional<std::wstring> finalFilePath(const std::wstring& path) {
  const UniqueHandle file = win32::adoptFileHandle(
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  std::wstring buffer(1024, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  if (length == 0 || length >= buffer.size()) return std::nullopt;
  buffer.resize(length);
  if (buffer.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + buffer.substr(8);
  if (buffer.rfind(L"\\\\?\\", 0) == 0) return buffer.substr(4);
  return buffer;
}

bool copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
  return CopyFileW(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE) != FALSE;
}

bool removeFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != FALSE; }

bool removeFileClearingReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) {
    const DWORD others = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(path.c_str(), others == 0 ? FILE_ATTRIBUTE_NORMAL : others);
  }
  if (DeleteFileW(path.c_str())) return true;
  if (readOnly) SetFileAttributesW(path.c_str(), attributes);  // a file that stays keeps its flag
  return false;
}

bool removeEmptyDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool createDirectories(const std::wstring& path) {
  const std::wstring folder = withoutTrailingSeparators(path);
  if (folder.empty()) return false;
  if (isDirectory(folder)) return true;
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return false;  // a file is in the way

  // Parents first. The search stops at a drive ("C:"), a share root or a relative first part,
  // which either exist or make the final CreateDirectoryW fail.
  const std::size_t cut = folder.find_last_of(L"\\/");
  if (cut != std::wstring::npos && cut > 0) {
    const std::wstring parent = folder.substr(0, cut);
    if (!isSeparator(parent.back()) && parent.back() != L':' && parent != L"\\\\?" && parent != L"\\\\.")
      createDirectories(parent);
  }
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  // Somebody else may have created it meanwhile.
  return GetLastError() == ERROR_ALREADY_EXISTS && isDirectory(folder);
}

NewFolder createNewDirectory(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return NewFolder::Created;
  return GetLastError() == ERROR_ALREADY_EXISTS ? NewFolder::AlreadyExists : NewFolder::Failed;
}

std::optional<std::vector<DirEntry>> listDirectory(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  const std::wstring pattern = joinPath(path, L"*");
  const win32::UniqueFindHandle search(
      [&]() -> HANDLE {
        const HANDLE handle =
            FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
        return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
      }());
  if (!search) {
    // An empty folder without "." and ".." entries (a drive root) answers "no files".
    if (GetLastError() == ERROR_FILE_NOT_FOUND && isDirectory(path)) return std::vector<DirEntry>{};
    return std::nullopt;
  }

  std::vector<DirEntry> entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    DirEntry entry;
    entry.name = name;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    entry.size = entry.isDirectory ? 0 : combinedSize(data.nFileSizeHigh, data.nFileSizeLow);
    entries.push_back(std::move(entry));
  } while (FindNextFileW(search.get(), &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;  // the listing broke off

  // Names ordered without regard to case, as Explorer and NTFS list them; exact order breaks ties.
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    const std::wstring foldedA = toLowerFolded(a.name);
    const std::wstring foldedB = toLowerFolded(b.name);
    return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
  });
  return entries;
}

void walkFiles(const std::wstring& root, int maxDepth,
               const std::function<bool(const std::wstring& path, const DirEntry& entry)>& visit) {
  if (maxDepth < 1 || !visit) return;
  walkFolder(root, 1, maxDepth, visit);
}

// --- deletion through handles ---------------------------------------------------------------------

namespace {

using win32::EntryKind;

// MinGW-w64 declares these only for newer _WIN32_WINNT values.
#ifndef FILE_DISPOSITION_FLAG_DELETE
#define FILE_DISPOSITION_FLAG_DELETE 0x00000001
#endif
#ifndef FILE_DISPOSITION_FLAG_POSIX_SEMANTICS
#define FILE_DISPOSITION_FLAG_POSIX_SEMANTICS 0x00000002
#endif
#ifndef FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE
#define FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE 0x00000010
#endif
// FILE_INFO_BY_HANDLE_CLASS value 21 and its structure (Windows 10 1607 and later), which
// MinGW-w64 declares only for _WIN32_WINNT of that version.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
struct DispositionInfoEx {
  DWORD Flags;
};

constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES;
constexpr DWORD kFileAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;

bool isLinkOrGone(HANDLE handle) {
  const auto attributes = win32::attributesOf(handle);
  return !attributes || (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Marks the opened object for deletion; it goes when its handle closes. FileDispositionInfoEx with
// POSIX semantics removes the name at once and may ignore the read-only flag; where it is refused
// (Windows before 1809 for the flag, Wine with error 87), the read-only flag is cleared through the
// handle and the plain disposition is set; a flag cleared in vain is put back.
bool deleteThroughHandle(HANDLE handle, DWORD attributes, bool ignoreReadOnly) {
  DispositionInfoEx posix{FILE_DISPOSITION_FLAG_DELETE | FILE_DISPOSITION_FLAG_POSIX_SEMANTICS |
                                 (ignoreReadOnly ? FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE : 0u)};
  if (SetFileInformationByHandle(handle, kFileDispositionInfoEx, &posix, sizeof posix)) return true;
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  bool cleared = false;
  if (ignoreReadOnly && readOnly) {
    FILE_BASIC_INFO basic{};  // zero times: left as they are
    const DWORD others = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    basic.FileAttributes = others == 0 ? FILE_ATTRIBUTE_NORMAL : others;
    cleared = SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic) != FALSE;
  }
  FILE_DISPOSITION_INFO plain{TRUE};
  if (SetFileInformationByHandle(handle, FileDispositionInfo, &plain, sizeof plain)) return true;
  if (cleared) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes;
    SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic);
  }
  return false;
}

void deleteBelow(HANDLE folder, int depth, const TreeDeletionRules& rules, TreeDeletion& result) {
  const auto entries = win32::listThroughHandle(folder);
  if (!entries) return;
  for (const win32::HandleEntry& listed : *entries) {
    if (listed.attributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // a link: never entered, never deleted
    if (listed.attributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (depth >= rules.maxDepth) continue;
      const DWORD access = kFolderAccess | (rules.removeFolders ? DELETE : 0);
      const UniqueHandle child = win32::openEntry(folder, listed.name, EntryKind::Folder, access);
      // Gone, denied, or swapped for a link (or a file) since the listing: left alone.
      if (!child || isLinkOrGone(child.get())) continue;
      deleteBelow(child.get(), depth + 1, rules, result);
      if (rules.removeFolders) deleteThroughHandle(child.get(), listed.attributes, false);  // fails unless empty
      continue;
    }
    const UniqueHandle file = win32::openEntry(folder, listed.name, EntryKind::File, kFileAccess);
    if (file && isLinkOrGone(file.get())) continue;  // a link put there since the listing
    const auto attributes = file ? win32::attributesOf(file.get()) : std::nullopt;
    if (file && attributes && deleteThroughHandle(file.get(), *attributes, rules.clearReadOnly)) {
      ++result.filesDeleted;
      result.bytesDeleted += listed.size;
    } else {
      ++result.failedDeletions;  // in use elsewhere (no FILE_SHARE_DELETE), denied, or read-only
    }
  }
}

}  // namespace

std::optional<TreeDeletion> deleteFolderContents(const std::wstring& folder, const TreeDeletionRules& rules) {
  // Asked by path as well: Wine reports a Unix symlink as a reparse point there, but not through
  // a handle opened on it. On Windows the handle's own answer below is what counts.
  const DWORD byPath = GetFileAttributesW(folder.c_str());
  if (byPath == INVALID_FILE_ATTRIBUTES || (byPath & FILE_ATTRIBUTE_REPARSE_POINT)) return std::nullopt;
  const UniqueHandle root = win32::openFolderItself(folder, kFolderAccess);
  if (!root) return std::nullopt;
  const auto attributes = win32::attributesOf(root.get());
  if (!attributes || !(*attributes & FILE_ATTRIBUTE_DIRECTORY) || (*attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return std::nullopt;  // a file, or a link that may lead anywhere
  TreeDeletion result;
  if (rules.maxDepth >= 1) deleteBelow(root.get(), 1, rules, result);
  return result;
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
  std::size_t end = folder.size();
  while (end > 0 && folder[end - 1] == L'\\') --end;
  std::size_t start = 0;
  while (start < name.size() && name[start] == L'\\') ++start;
  if (folder.empty()) return name.substr(start);  // no folder: the name alone, not a drive-root path
  return folder.substr(0, end) + L"\\" + name.substr(start);
}

}  // namespace vx
