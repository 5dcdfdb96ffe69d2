// Files and folders addressed by Windows paths ("C:\ProgramData\Vantorix"). win32/ passes the paths
// to the file system as they are; sim/ maps each drive letter to a folder of the simulated machine.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vx {

enum class FileKind { Missing, File, Directory };

struct FileStatus {
  FileKind kind = FileKind::Missing;
  std::uint64_t size = 0;
  bool isLink = false;  // a symbolic link or junction (reparse point)
  bool readOnly = false;  // FILE_ATTRIBUTE_READONLY
};

FileStatus fileStatus(const std::wstring& path);

// The whole file as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::wstring& path);

// A read that never takes more than maxBytes into memory: a file larger than that (also one that
// grows past it while being read) is TooLarge and its bytes are not kept.
enum class ReadStatus { Ok, TooLarge, Unreadable };
struct BoundedRead {
  ReadStatus status = ReadStatus::Unreadable;
  std::string bytes;  // the whole file when Ok, empty otherwise
};
BoundedRead readFileBounded(const std::wstring& path, std::uint64_t maxBytes);

// Creates or truncates the file and writes the bytes (CreateFileW CREATE_ALWAYS).
bool writeFileBytes(const std::wstring& path, const std::string& bytes);

// Writes a temporary file beside the target, then moves it over the target, so a failure never
// leaves a half-written file in place. The temporary file is named target + kAtomicWriteSuffix +
// a unique tail, so a leftover of a killed run is recognised beside its target. A read-only target
// is not replaced (Windows refuses to).
inline constexpr const wchar_t* kAtomicWriteSuffix = L".vxtmp";
bool writeFileAtomic(const std::wstring& path, const std::string& bytes);

// Creates the file only when nothing at all is under that name, a link included, and writes the
// bytes (CREATE_NEW with FILE_FLAG_OPEN_REPARSE_POINT): nothing already there is ever written through.
bool writeNewFile(const std::wstring& path, const std::string& bytes);

// Sets or clears FILE_ATTRIBUTE_READONLY of a file, keeping its other attributes.
bool setFileReadOnly(const std::wstring& path, bool readOnly);

// The path a link finally leads to (GetFinalPathNameByHandleW, without the "\\?\" prefix); the
// path itself for a file that is no link; nothing when it cannot be opened.
std::optional<std::wstring> finalFilePath(const std::wstring& path);

bool copyFile(const std::wstring& from, const std::wstring& to, bool overwrite);
bool removeFile(const std::wstring& path);

// Creates the folder and every missing parent; an existing folder counts as success.
bool createDirectories(const std::wstring& path);

// Creates exactly this folder (its parent must exist; CreateDirectoryW). Anything already there
// under that name is AlreadyExists, so of two callers only one ever gets Created.
enum class NewFolder { Created, AlreadyExists, Failed };
NewFolder createNewDirectory(const std::wstring& path);

struct DirEntry {
  std::wstring name;
  bool isDirectory = false;
  bool isLink = false;    // a reparse point: symbolic link, junction or mount point
  bool readOnly = false;  // FILE_ATTRIBUTE_READONLY
  std::uint64_t size = 0;
};

// One level of a folder, sorted by name; nothing when it cannot be listed.
std::optional<std::vector<DirEntry>> listDirectory(const std::wstring& path);

// Visits every file and folder below root down to maxDepth levels (1 = root's own entries).
// Folders that cannot be listed are skipped; directory links are reported but never entered.
// The visitor gets the full path and the entry and returns false to stop the walk.
void walkFiles(const std::wstring& root, int maxDepth,
               const std::function<bool(const std::wstring& path, const DirEntry& entry)>& visit);

// Deletes a file; a read-only file first loses just that flag (its other attributes stay). When
// the deletion still fails the flag is put back. Folders are never deleted here.
bool removeFileClearingReadOnly(const std::wstring& path);

// Removes a folder that is empty (RemoveDirectoryW). A link is never removed this way: under
// Wine that call on a symbolic link deletes what the link points to.
bool removeEmptyDirectory(const std::wstring& path);

// Deleting what a folder holds without ever being led out of it: the folder is opened once, must
// not be a link, is listed through that handle, and every entry is opened relative to it, checked
// again (a folder swapped for a link after the listing is skipped) and deleted through its own
// handle. Nothing is opened by a path built from a listing. Links met inside are neither entered
// nor deleted; folders that cannot be opened are skipped; a failure never stops the walk.
struct TreeDeletionRules {
  int maxDepth = 1 << 20;     // levels below the folder that are visited (1 = its own entries)
  bool clearReadOnly = true;  // a read-only file is deleted all the same; otherwise it counts as failed
  bool removeFolders = true;  // folders the walk emptied are removed; otherwise every folder stays
};
struct TreeDeletion {
  std::uint64_t filesDeleted = 0;
  std::uint64_t bytesDeleted = 0;     // sizes of the deleted files as listed
  std::uint64_t failedDeletions = 0;  // files that stayed (in use, or read-only without clearReadOnly)
  bool operator==(const TreeDeletion&) const = default;
};
// Nothing when the folder is missing, is itself a link, or cannot be opened; it always stays.
std::optional<TreeDeletion> deleteFolderContents(const std::wstring& folder, const TreeDeletionRules& rules = {});

// Appends the bytes at the end of the file in one write (FILE_APPEND_DATA), creating the file when
// it is missing; a link under that name is never written through. True when every byte was
// written. The change journal adds its lines this way, so a line is never split by another writer.
bool appendFileBytes(const std::wstring& path, const std::string& bytes);

// Joins a folder and a name with exactly one backslash.
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace vx
