#include "games/config_edit.h"

#include "base/text.h"
#include "games/config_backup.h"
#include "games/config_text.h"
#include "games/eight_bit_text.h"
#include "games/game_environment.h"
#include "games/game_library_roots.h"
#include "platform/files.h"

namespace vx {

namespace {

std::wstring parentFolder(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring fileNameOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

// Below the folder (or the folder itself), without regard to case.
bool liesUnder(const std::wstring& path, std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty() || path.size() < folder.size() || !equalsFolded(path.substr(0, folder.size()), folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\' || path[folder.size()] == L'/';
}

std::wstring rootOf(const std::wstring& path) {
  std::vector<std::wstring> roots = buildGameLibraryRoots();
  if (const auto local = gameEnvironmentValue(L"LOCALAPPDATA")) roots.push_back(*local);
  for (const std::wstring& root : roots)
    if (liesUnder(path, root)) return root;
  return parentFolder(path);
}

bool fail(std::wstring* failure, const wchar_t* note) {
  if (failure != nullptr) *failure = note;
  return false;
}

}  // namespace

std::optional<std::wstring> configTarget(const std::wstring& path) {
  if (!fileStatus(path).isLink) return path;
  // Another account could point the link anywhere: only a target inside the same root is edited.
  const auto target = finalFilePath(path);
  if (!target || !liesUnder(*target, rootOf(path))) return std::nullopt;
  return target;
}

void removeWriteLeftovers(const std::wstring& path) {
  const auto target = configTarget(path);
  if (!target) return;
  const std::wstring folder = parentFolder(*target);
  const std::wstring prefix = fileNameOf(*target) + kAtomicWriteSuffix;
  const auto entries = listDirectory(folder);
  if (!entries) return;
  for (const DirEntry& entry : *entries) {
    if (entry.isDirectory || entry.isLink || entry.name.size() <= prefix.size()) continue;
    if (equalsFolded(entry.name.substr(0, prefix.size()), prefix)) removeFile(joinPath(folder, entry.name));
  }
}

bool replaceKeepingReadOnly(const std::wstring& path, const std::string& bytes) {
  const FileStatus status = fileStatus(path);
  const bool readOnly = status.kind == FileKind::File && status.readOnly;
  if (readOnly && !setFileReadOnly(path, false)) return false;
  const bool written = writeFileAtomic(path, bytes);
  if (readOnly) setFileReadOnly(path, true);
  return written;
}

bool applyConfigEdit(const std::wstring& path, const ConfigEdit& edit, bool createWhenMissing, std::wstring* failure) {
  const auto target = configTarget(path);
  if (!target) return fail(failure, kLinkOutsideNote);
  removeWriteLeftovers(*target);
  ConfigText text;
  if (fileStatus(*target).kind != FileKind::Missing) {
    const auto bytes = readConfigBytes(*target);
    if (!bytes) return false;
    auto decoded = decodeConfigText(*bytes);
    if (!decoded) return fail(failure, kNotTextNote);
    text = std::move(*decoded);
    // The backup lies beside the path the game reads (beside the link, not its target).
    if (!makeConfigBackup(path, *bytes)) return false;
  } else if (!createWhenMissing) {
    return false;
  }
  edit.apply(text.lines);
  return replaceKeepingReadOnly(*target, encodeConfigText(text));
}

bool revertConfigEdit(const std::wstring& path, const ConfigEdit& edit, const std::optional<std::string>& createdBytes,
                      std::wstring* failure) {
  const auto target = configTarget(path);
  if (!target) return fail(failure, kLinkOutsideNote);
  removeWriteLeftovers(*target);
  const std::wstring bak = configBackupPath(path);
  const auto current = readConfigBytes(*target);
  const FileStatus bakStatus = fileStatus(bak);
  if (bakStatus.kind == FileKind::Directory || bakStatus.isLink) return false;  // never ours
  if (bakStatus.kind == FileKind::File) {
    const auto saved = readConfigBytes(bak);
    if (!saved) return false;
    const auto before = decodeConfigText(*saved);
    std::string restored = *saved;
    if (current && before) {
      ConfigText applied = *before;
      edit.apply(applied.lines);
      if (encodeConfigText(applied) != *current) {
        // Changed since apply (the game rewrote it): only the tweak's keys go back.
        auto now = decodeConfigText(*current);
        if (!now) return fail(failure, kNotTextNote);
        edit.restoreKeys(now->lines, &before->lines);
        restored = encodeConfigText(*now);
      }
    }
    if (!replaceKeepingReadOnly(*target, restored)) return false;
    return removeFileClearingReadOnly(bak);
  }
  if (!createdBytes) return false;  // a backup was needed and is gone
  if (!current) return fileStatus(*target).kind == FileKind::Missing;
  if (*current == *createdBytes) return removeFile(*target);
  auto now = decodeConfigText(*current);
  if (!now) return fail(failure, kNotTextNote);
  edit.restoreKeys(now->lines, nullptr);
  return replaceKeepingReadOnly(*target, encodeConfigText(*now));
}

}  // namespace vx
