#include "games/config_backup.h"

#include "games/config_edit.h"
#include "games/eight_bit_text.h"
#include "platform/files.h"

namespace vx {

std::wstring configBackupPath(const std::wstring& path) { return path + L".vx.bak"; }

bool makeConfigBackup(const std::wstring& path) {
  if (fileStatus(path).kind == FileKind::Missing) return true;
  const auto bytes = readConfigBytes(path);
  return bytes && makeConfigBackup(path, *bytes);
}

bool makeConfigBackup(const std::wstring& path, const std::string& bytes) {
  const FileStatus source = fileStatus(path);
  if (source.kind == FileKind::Missing) return true;
  const std::wstring bak = configBackupPath(path);
  const FileStatus existing = fileStatus(bak);
  if (existing.kind == FileKind::File && !existing.isLink) return true;
  if (existing.kind != FileKind::Missing) return false;  // a folder or a link under the backup's name
  // Written aside and moved under the name without replacing: nothing already there (a link
  // placed by someone else) is ever written through, and a process killed part-way leaves no
  // short copy that later applies would keep as "the first one" (its temporary file is a
  // leftover the next apply or revert removes).
  if (!writeNewFileAtomic(bak, bytes)) return false;
  if (source.readOnly) setFileReadOnly(bak, true);
  return true;
}

bool restoreConfigBackup(const std::wstring& path) {
  const std::wstring bak = configBackupPath(path);
  if (fileStatus(bak).kind == FileKind::Missing) return true;
  const auto bytes = readConfigBytes(bak);
  if (!bytes || !replaceKeepingReadOnly(path, *bytes)) return false;
  return removeFileClearingReadOnly(bak);
}

bool removeIfUnchanged(const std::wstring& path, const std::string& bytes) {
  const FileStatus status = fileStatus(path);
  if (status.kind == FileKind::Missing) return true;
  if (status.kind != FileKind::File) return true;  // not a file the tweak made
  const auto current = readConfigBytes(path);
  if (!current || *current != bytes) return true;
  return removeFile(path);
}

}  // namespace vx
