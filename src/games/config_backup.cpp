#include "games/config_backup.h"

#include "games/eight_bit_text.h"
#include "platform/files.h"

namespace vx {

std::wstring configBackupPath(const std::wstring& path) { return path + L".vx.bak"; }

bool makeConfigBackup(const std::wstring& path) {
  if (fileStatus(path).kind == FileKind::Missing) return true;
  const std::wstring bak = configBackupPath(path);
  if (fileStatus(bak).kind != FileKind::Missing) return true;
  // Through a temporary file, so a failed copy never leaves a partial backup that later applies
  // would keep as "the first one".
  const auto bytes = readConfigBytes(path);
  return bytes && writeFileAtomic(bak, *bytes);
}

bool restoreConfigBackup(const std::wstring& path) {
  const std::wstring bak = configBackupPath(path);
  if (fileStatus(bak).kind == FileKind::Missing) return true;
  const auto bytes = readConfigBytes(bak);
  if (!bytes || !writeFileAtomic(path, *bytes)) return false;
  return removeFile(bak);
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
