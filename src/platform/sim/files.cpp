// Files on the simulated machine: Windows paths mapped below the machine's host folder (see
// mapWindowsPath). Folders marked with Machine::denyDirectory exist but cannot be listed or entered.
// Every change to a file first asks the hook of Machine::onFileChange (sim::fileChangeAllowed).
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

struct Mapped {
  fs::path host;         // empty when the path cannot be mapped
  bool reachable = false;  // not inside a denied folder
  bool denied = false;     // the denied folder itself
  bool writable = true;    // not inside a folder whose writes fail (Machine::failFileWrites)
};

bool strictlyInside(const fs::path& path, const fs::path& folder) {
  auto [f, p] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return f == folder.end() && p != path.end();
}

Mapped resolve(const std::wstring& windowsPath) {
  fs::path root;
  std::vector<fs::path> denied, full;
  {
    auto& m = sim::machine();
    std::lock_guard lock(m.mutex());
    root = m.state().root;
    denied = m.state().deniedDirs;
    full = m.state().fullDirs;
  }
  Mapped result;
  result.host = sim::mapWindowsPath(root, windowsPath).lexically_normal();
  if (result.host.empty()) return result;
  result.reachable = std::none_of(denied.begin(), denied.end(),
                                  [&](const fs::path& d) { return strictlyInside(result.host, d); });
  result.denied = std::find(denied.begin(), denied.end(), result.host) != denied.end();
  result.writable = std::none_of(full.begin(), full.end(),
                                 [&](const fs::path& d) { return d == result.host || strictlyInside(result.host, d); });
  return result;
}

bool isRegularFile(const fs::path& host) {
  std::error_code ec;
  return fs::is_regular_file(host, ec);
}

bool isDirectory(const fs::path& host) {
  std::error_code ec;
  return fs::is_directory(host, ec);
}

bool isLocked(const fs::path& host) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  const auto& locked = m.state().readings.lockedFiles;
  return std::find(locked.begin(), locked.end(), host) != locked.end();
}

constexpr fs::perms kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// A regular file without write permission stands for FILE_ATTRIBUTE_READONLY.
bool isReadOnlyFile(const fs::path& host) {
  std::error_code ec;
  const auto own = fs::symlink_status(host, ec);
  return !ec && own.type() == fs::file_type::regular && (own.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool writeHostFile(const fs::path& host, const std::string& bytes) {
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace

FileStatus fileStatus(const std::wstring& path) {
  const Mapped m = resolve(path);
  FileStatus status;
  if (!m.reachable) return status;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(m.host, ec);
  if (ec || own.type() == fs::file_type::not_found) return status;
  status.isLink = own.type() == fs::file_type::symlink;
  const fs::file_status target = status.isLink ? fs::status(m.host, ec) : own;
  if (target.type() == fs::file_type::directory) {
    status.kind = FileKind::Directory;
  } else {
    status.kind = FileKind::File;  // also a dangling link: Windows still finds the link itself
    status.readOnly = target.type() == fs::file_type::regular && (target.permissions() & fs::perms::owner_write) == fs::perms::none;
    if (target.type() == fs::file_type::regular) {
      const auto size = fs::file_size(m.host, ec);
      status.size = ec ? 0 : size;
    }
  }
  return status;
}

std::optional<std::string> readFileBytes(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable || !isRegularFile(m.host)) return std::nullopt;
  std::ifstream in(m.host, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

BoundedRead readFileBounded(const std::wstring& path, std::uint64_t maxBytes) {
  const Mapped m = resolve(path);
  if (!m.reachable || !isRegularFile(m.host)) return {};
  std::ifstream in(m.host, std::ios::binary);
  if (!in) return {};
  BoundedRead result;
  // Read until one byte past the limit at most: a file that grew after its size was asked for
  // is still caught.
  std::string chunk(1 << 16, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    result.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (result.bytes.size() > maxBytes) return {ReadStatus::TooLarge, {}};
  }
  if (in.bad()) return {};
  result.status = ReadStatus::Ok;
  return result;
}

// A file whose (final) target carries the read-only flag. Windows refuses to open it for writing
// or to replace it; this host ignores missing write permission for root, so the check is explicit.
bool targetReadOnly(const fs::path& host) {
  std::error_code ec;
  const auto st = fs::status(host, ec);
  return !ec && st.type() == fs::file_type::regular && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
  const Mapped m = resolve(path);
  if (!m.reachable || !m.writable || isDirectory(m.host) || targetReadOnly(m.host)) return false;
  if (!sim::fileChangeAllowed(path)) return false;
  return writeHostFile(m.host, bytes);
}

bool writeNewFile(const std::wstring& path, const std::string& bytes) {
  const Mapped m = resolve(path);
  if (!m.reachable || !m.writable || !m.host.has_filename()) return false;
  std::error_code ec;
  // CREATE_NEW with FILE_FLAG_OPEN_REPARSE_POINT: a link under the name, even a dangling one, is
  // "already there".
  if (fs::symlink_status(m.host, ec).type() != fs::file_type::not_found || !fs::is_directory(m.host.parent_path(), ec))
    return false;
  if (!sim::fileChangeAllowed(path)) return false;
  return writeHostFile(m.host, bytes);
}

bool setFileReadOnly(const std::wstring& path, bool readOnly) {
  const Mapped m = resolve(path);
  if (!m.reachable || !isRegularFile(m.host) || !sim::fileChangeAllowed(path)) return false;
  std::error_code ec;
  fs::permissions(m.host, kWriteBits, readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
  return !ec;
}

std::optional<std::wstring> finalFilePath(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable) return std::nullopt;
  std::error_code ec;
  const fs::path target = fs::canonical(m.host, ec);
  const fs::path root = fs::weakly_canonical(sim::machine().root(), ec);
  if (ec || !strictlyInside(target, root)) return std::nullopt;  // a link out of the simulated drives
  const fs::path relative = target.lexically_relative(root);
  std::wstring result;
  for (const fs::path& part : relative) {
    if (result.empty()) {
      result = fromUtf8(part.string()) + L":";
      continue;
    }
    result += L"\\" + fromUtf8(part.string());
  }
  return result;
}

bool writeFileAtomic(const std::wstring& path, const std::string& bytes) {
  const Mapped m = resolve(path);
  if (!m.reachable || !m.writable || isDirectory(m.host) || !m.host.has_filename()) return false;
  // MoveFileExW does not replace a read-only file (Windows does this; Wine replaces it).
  if (isReadOnlyFile(m.host)) return false;
  static std::atomic<unsigned> counter{0};
  const std::string tail = toUtf8(kAtomicWriteSuffix) + std::to_string(counter.fetch_add(1));
  fs::path temp = m.host;
  temp += tail;
  const std::wstring tempPath = path + fromUtf8(tail);
  // The temporary file and the move are two changes: a process killed between them leaves the
  // temporary file and the old target.
  if (!sim::fileChangeAllowed(tempPath)) return false;
  std::error_code ec;
  const auto dropTemp = [&] {
    if (sim::fileChangeAllowed(tempPath)) fs::remove(temp, ec);
  };
  if (!writeHostFile(temp, bytes)) {
    dropTemp();
    return false;
  }
  if (!sim::fileChangeAllowed(path)) {
    dropTemp();
    return false;
  }
  fs::rename(temp, m.host, ec);
  if (ec) {
    dropTemp();
    return false;
  }
  return true;
}

bool copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
  const Mapped source = resolve(from);
  const Mapped target = resolve(to);
  if (!source.reachable || !target.reachable || !target.writable || !isRegularFile(source.host) || isDirectory(target.host)) return false;
  std::error_code ec;
  if (fs::exists(target.host, ec)) {
    if (!overwrite) return false;
    if (fs::equivalent(source.host, target.host, ec)) return false;  // CopyFileW onto itself fails
  }
  if (!sim::fileChangeAllowed(to)) return false;
  fs::copy_file(source.host, target.host,
                overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none, ec);
  return !ec;
}

bool removeFile(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable) return false;
  std::error_code ec;
  const auto own = fs::symlink_status(m.host, ec);
  if (ec || own.type() == fs::file_type::not_found) return false;
  // DeleteFileW removes files and file links; folders and folder links need RemoveDirectoryW.
  // It refuses read-only files and files open elsewhere without FILE_SHARE_DELETE.
  if (isDirectory(m.host) || isReadOnlyFile(m.host) || isLocked(m.host)) return false;
  if (!sim::fileChangeAllowed(path)) return false;
  return fs::remove(m.host, ec) && !ec;
}

bool removeFileClearingReadOnly(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable || isDirectory(m.host)) return false;
  const bool readOnly = isReadOnlyFile(m.host);
  std::error_code ec;
  if (readOnly) {
    if (!sim::fileChangeAllowed(path)) return false;
    fs::permissions(m.host, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  if (removeFile(path)) return true;
  if (readOnly && sim::fileChangeAllowed(path)) fs::permissions(m.host, kWriteBits, fs::perm_options::remove, ec);
  return false;
}

bool removeEmptyDirectory(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable || m.denied) return false;
  std::error_code ec;
  const auto own = fs::symlink_status(m.host, ec);
  if (ec || own.type() != fs::file_type::directory) return false;  // links are never removed here
  if (!fs::is_empty(m.host, ec) || ec) return false;
  return fs::remove(m.host, ec) && !ec;
}

bool createDirectories(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable) return false;
  std::error_code ec;
  fs::create_directories(m.host, ec);
  return isDirectory(m.host);
}

NewFolder createNewDirectory(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable || m.host.empty()) return NewFolder::Failed;
  std::error_code ec;
  if (fs::create_directory(m.host, ec) && !ec) return NewFolder::Created;
  std::error_code statusError;
  const auto status = fs::symlink_status(m.host, statusError);
  return !statusError && status.type() != fs::file_type::not_found ? NewFolder::AlreadyExists : NewFolder::Failed;
}

std::optional<std::vector<DirEntry>> listDirectory(const std::wstring& path) {
  const Mapped m = resolve(path);
  if (!m.reachable || m.denied || !isDirectory(m.host)) return std::nullopt;
  std::vector<DirEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(m.host, ec), end; it != end; it.increment(ec)) {
    if (ec) return std::nullopt;
    DirEntry entry;
    entry.name = fromUtf8(it->path().filename().string());
    std::error_code statusError;
    entry.isLink = it->is_symlink(statusError);
    entry.isDirectory = it->is_directory(statusError);
    if (!entry.isLink && !entry.isDirectory && it->is_regular_file(statusError)) {
      const auto size = it->file_size(statusError);
      entry.size = statusError ? 0 : size;  // a link reports its own size, 0, like FindFirstFileW
      entry.readOnly = isReadOnlyFile(it->path());
    }
    entries.push_back(std::move(entry));
  }
  if (ec) return std::nullopt;
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    const auto fa = toLowerFolded(a.name);
    const auto fb = toLowerFolded(b.name);
    return fa != fb ? fa < fb : a.name < b.name;
  });
  sim::runListedHook(path);
  return entries;
}

namespace {

bool walk(const std::wstring& folder, int depth, int maxDepth,
          const std::function<bool(const std::wstring&, const DirEntry&)>& visit) {
  const auto entries = listDirectory(folder);
  if (!entries) return true;  // cannot be listed: skipped
  for (const auto& entry : *entries) {
    const std::wstring path = joinPath(folder, entry.name);
    if (!visit(path, entry)) return false;
    // Links are never followed: a link could lead out of the tree or back into it.
    if (entry.isDirectory && !entry.isLink && depth < maxDepth && !walk(path, depth + 1, maxDepth, visit)) return false;
  }
  return true;
}

}  // namespace

void walkFiles(const std::wstring& root, int maxDepth,
               const std::function<bool(const std::wstring& path, const DirEntry& entry)>& visit) {
  if (maxDepth < 1 || !visit) return;
  walk(root, 1, maxDepth, visit);
}

// --- deletion through handles: a host file descriptor stands for each Windows handle -----------

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The folder named relative to the parent's handle, never through a link: O_NOFOLLOW refuses a
// link in the last place as FILE_FLAG_OPEN_REPARSE_POINT and the reparse check do on Windows.
Descriptor openFolderAt(int parent, const std::string& name) {
  return Descriptor(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

struct HandleEntry {
  std::string name;  // host bytes of the name
  bool isDirectory = false;
  bool isLink = false;
  std::uint64_t size = 0;
};

// The listing through the folder's own handle.
std::optional<std::vector<HandleEntry>> listAt(int folder) {
  const int copy = ::dup(folder);
  if (copy < 0) return std::nullopt;
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    ::close(copy);
    return std::nullopt;
  }
  std::vector<HandleEntry> entries;
  while (const dirent* d = ::readdir(dir)) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    HandleEntry entry{name, S_ISDIR(st.st_mode), S_ISLNK(st.st_mode), 0};
    if (S_ISREG(st.st_mode)) entry.size = static_cast<std::uint64_t>(st.st_size);
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const HandleEntry& a, const HandleEntry& b) { return a.name < b.name; });
  return entries;
}

bool isDeniedHost(const fs::path& host) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  const auto& denied = m.state().deniedDirs;
  return std::find(denied.begin(), denied.end(), host) != denied.end();
}

void deleteBelow(int folder, const fs::path& host, const std::wstring& windowsFolder, int depth,
                 const TreeDeletionRules& rules, TreeDeletion& result) {
  const auto entries = listAt(folder);
  if (!entries) return;
  sim::runListedHook(windowsFolder);
  for (const HandleEntry& listed : *entries) {
    if (listed.isLink) continue;  // never entered, never deleted
    const fs::path childHost = host / listed.name;
    const std::wstring childWindows = joinPath(windowsFolder, fromUtf8(listed.name));
    if (listed.isDirectory) {
      if (depth >= rules.maxDepth || isDeniedHost(childHost)) continue;
      const Descriptor child = openFolderAt(folder, listed.name);
      if (!child) continue;  // gone, or swapped for a link since the listing
      deleteBelow(child.get(), childHost, childWindows, depth + 1, rules, result);
      if (rules.removeFolders) ::unlinkat(folder, listed.name.c_str(), AT_REMOVEDIR);  // only when empty
      continue;
    }
    // The entry checked again through the parent's handle: only a plain file is deleted, and
    // unlinkat removes a name, so a link put there meanwhile would lose only itself.
    struct stat st {};
    if (::fstatat(folder, listed.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    const bool readOnly = (st.st_mode & S_IWUSR) == 0;
    if (isLocked(childHost) || (readOnly && !rules.clearReadOnly) ||
        ::unlinkat(folder, listed.name.c_str(), 0) != 0) {
      ++result.failedDeletions;
      continue;
    }
    ++result.filesDeleted;
    result.bytesDeleted += listed.size;
  }
}

}  // namespace

std::optional<TreeDeletion> deleteFolderContents(const std::wstring& folder, const TreeDeletionRules& rules) {
  const Mapped m = resolve(folder);
  if (!m.reachable || m.denied || m.host.empty()) return std::nullopt;
  const Descriptor root(::open(m.host.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!root) return std::nullopt;  // missing, a file, or itself a link
  TreeDeletion result;
  std::wstring name = folder;  // as the listing hook is told: no trailing backslash
  while (name.size() > 3 && name.back() == L'\\') name.pop_back();
  if (rules.maxDepth >= 1) deleteBelow(root.get(), m.host, name, 1, rules, result);
  return result;
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
  std::wstring head = folder;
  while (!head.empty() && head.back() == L'\\') head.pop_back();
  std::size_t skip = 0;
  while (skip < name.size() && name[skip] == L'\\') ++skip;
  if (folder.empty()) return name.substr(skip);
  return head + L"\\" + name.substr(skip);
}

}  // namespace vx
