// Editing a game config file in place and undoing that edit later, shared by the config-file
// tweaks: one atomic write per edit in the file's own encoding, the one-time ".vx.bak" beside it,
// leftovers of killed runs removed, links followed only inside their root, read-only files kept
// read-only, and a revert that puts back only the tweak's own keys when the file changed since.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vx {

inline constexpr const wchar_t* kNotTextNote = L"файл не похож на текстовый — не изменён";
inline constexpr const wchar_t* kLinkOutsideNote = L"файл ведёт за пределы папки игры — не изменён";
inline constexpr const wchar_t* kChangedSinceApplyNote = L"файл изменён после применения — не откачен";

struct ConfigEdit {
  // The tweak's edit of the lines; deterministic, so revert can compute what apply wrote.
  std::function<void(std::vector<std::wstring>& lines)> apply;
  // Puts the tweak's own keys back as `before` has them (before null: the keys are removed).
  std::function<void(std::vector<std::wstring>& lines, const std::vector<std::wstring>* before)> restoreKeys;
};

// The path an edit works on: the file itself, or for a link its final path when that lies below
// the root the path lies under (a game library root or %LOCALAPPDATA%; otherwise the file's own
// folder). Nothing when the link leads elsewhere or cannot be resolved.
std::optional<std::wstring> configTarget(const std::wstring& path);

// Temporary files of atomic writes left beside the file (for a link, beside the file it leads to
// inside its root) by a run that was killed are deleted.
void removeWriteLeftovers(const std::wstring& path);

// Backs the file up (when it exists) and writes the edited lines in one atomic replacement. A
// missing file is created only with createWhenMissing. False with a note in *failure for a file
// that is not text, a link out of its root, a backup that cannot be made.
bool applyConfigEdit(const std::wstring& path, const ConfigEdit& edit, bool createWhenMissing, std::wstring* failure);

// Undoes applyConfigEdit: the whole backup when the file holds exactly what apply wrote from it,
// else only the tweak's keys; the backup is then deleted. Without a backup: with createdBytes
// (apply may have made the file) the file is deleted while it holds exactly those bytes, else only
// the tweak's keys are removed; without createdBytes it fails.
bool revertConfigEdit(const std::wstring& path, const ConfigEdit& edit, const std::optional<std::string>& createdBytes,
                      std::wstring* failure);

// Writes bytes over the file atomically; a read-only file is made writable for the write and
// read-only again afterwards (also when the write failed).
bool replaceKeepingReadOnly(const std::wstring& path, const std::string& bytes);

}  // namespace vx
