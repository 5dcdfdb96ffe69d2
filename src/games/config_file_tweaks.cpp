#include "games/config_file_tweaks.h"

#include <algorithm>

#include "core/user_account.h"
#include "games/config_backup.h"
#include "games/config_edit.h"
#include "games/config_text.h"
#include "games/cvar_lines.h"
#include "games/eight_bit_text.h"
#include "games/ini_file.h"
#include "platform/files.h"

namespace vx {

namespace {

bool exists(const std::wstring& path) { return !path.empty() && fileStatus(path).kind != FileKind::Missing; }

std::wstring parentFolder(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

// Before an existing file is rewritten: its backup must exist afterwards, unless the file is
// exactly what this tweak writes anyway (a file it created earlier has nothing of the user's).
bool protectExisting(const std::wstring& path, const std::string& ownBytes) {
  if (!exists(path)) return true;
  if (!exists(configBackupPath(path))) {
    const auto current = readConfigBytes(path);
    if (current && *current == ownBytes) return true;
  }
  return makeConfigBackup(path);
}

}  // namespace

// --- CvarFileTweak ---------------------------------------------------------------------------------

CvarFileTweak::CvarFileTweak(std::wstring id, std::wstring title, std::wstring description, std::wstring cacheKey,
                             std::vector<std::wstring> candidates, std::vector<CvarSetting> settings,
                             std::wstring marker, GameDiscovery& discovery)
    : Tweak(std::move(id), std::move(title), std::move(description), TweakCategory::Games),
      cacheKey(std::move(cacheKey)),
      candidates(std::move(candidates)),
      settings(std::move(settings)),
      marker(std::move(marker)),
      discovery_(discovery) {}

std::wstring CvarFileTweak::resolvePath() const { return discovery_.firstExistingPath(cacheKey, candidates); }

TweakState CvarFileTweak::queryState() {
  const std::wstring path = resolvePath();
  if (path.empty()) return TweakState::Unavailable;
  const auto text = readConfigText(path);
  if (!text) return TweakState::NotApplied;
  for (const std::wstring& line : text->lines)
    if (line.find(marker) != std::wstring::npos) return TweakState::Applied;
  return TweakState::NotApplied;
}

ConfigEdit CvarFileTweak::edit() const {
  return {[this](std::vector<std::wstring>& lines) {
            for (const CvarSetting& s : settings) setCvarIn(lines, s.key, s.value);
          },
          [this](std::vector<std::wstring>& lines, const std::vector<std::wstring>* before) {
            for (const CvarSetting& s : settings) restoreCvarIn(lines, before, s.key);
          }};
}

bool CvarFileTweak::apply() {
  failure_.clear();
  const std::wstring path = resolvePath();
  if (path.empty()) return false;
  if (configTooLarge(path)) {
    failure_ = kConfigTooLargeNote;
    return false;
  }
  return applyConfigEdit(path, edit(), false, &failure_);
}

bool CvarFileTweak::revert() {
  failure_.clear();
  const std::wstring path = resolvePath();
  if (path.empty()) return true;
  removeWriteLeftovers(path);  // of a killed run, also when there is nothing to revert
  // A tweak that is not applied leaves the file (and a stray backup) alone.
  if (queryState() == TweakState::NotApplied) return true;
  return revertConfigEdit(path, edit(), std::nullopt, &failure_);
}

std::wstring CvarFileTweak::compatibilityNote() const {
  return resolvePath().empty() ? L"Файл конфигурации игры не найден." : L"";
}

bool CvarFileTweak::changesUserProfile() const {
  return std::any_of(candidates.begin(), candidates.end(), isInUserProfile);
}

// --- WriteFileTweak --------------------------------------------------------------------------------

WriteFileTweak::WriteFileTweak(std::wstring id, std::wstring title, std::wstring description, std::wstring cacheKey,
                               std::vector<std::wstring> candidates, std::wstring fileName, std::wstring content,
                               std::wstring marker, std::wstring fallbackFolder, GameDiscovery& discovery)
    : Tweak(std::move(id), std::move(title), std::move(description), TweakCategory::Games),
      cacheKey(std::move(cacheKey)),
      candidates(std::move(candidates)),
      fileName(std::move(fileName)),
      content(std::move(content)),
      marker(std::move(marker)),
      fallbackFolder(std::move(fallbackFolder)),
      discovery_(discovery) {}

std::wstring WriteFileTweak::resolveFolder() const {
  std::wstring folder = discovery_.firstExistingPath(cacheKey, candidates);
  return folder.empty() ? fallbackFolder : folder;
}

std::wstring WriteFileTweak::resolvePath() const {
  const std::wstring folder = resolveFolder();
  return folder.empty() ? std::wstring() : joinPath(folder, fileName);
}

std::string WriteFileTweak::bytesOnDisk() const { return joinTextLines(splitTextLines(toEightBit(content))); }

TweakState WriteFileTweak::queryState() {
  const std::wstring path = resolvePath();
  if (path.empty()) return TweakState::Unavailable;
  const auto bytes = readConfigBytes(path);
  if (!bytes) return TweakState::NotApplied;
  return fromEightBit(*bytes).find(marker) != std::wstring::npos ? TweakState::Applied : TweakState::NotApplied;
}

bool WriteFileTweak::apply() {
  failure_.clear();
  const std::wstring folder = resolveFolder();
  if (folder.empty()) return false;
  const std::wstring path = joinPath(folder, fileName);
  if (configTooLarge(path)) {
    failure_ = kConfigTooLargeNote;
    return false;
  }
  createDirectories(folder);
  removeWriteLeftovers(path);
  const std::string bytes = bytesOnDisk();
  if (!protectExisting(path, bytes)) return false;
  return replaceKeepingReadOnly(path, bytes);
}

bool WriteFileTweak::revert() {
  failure_.clear();
  const std::wstring path = resolvePath();
  if (path.empty()) return true;
  removeWriteLeftovers(path);
  if (queryState() == TweakState::NotApplied) return true;
  const auto current = readConfigBytes(path);
  if (!current || *current != bytesOnDisk()) {
    // The user edited the whole file since: it and its backup stay (revertWhole() forces it).
    failure_ = kChangedSinceApplyNote;
    return false;
  }
  if (exists(configBackupPath(path))) return restoreConfigBackup(path);
  return removeFile(path);
}

bool WriteFileTweak::revertWhole() {
  failure_.clear();
  const std::wstring path = resolvePath();
  if (path.empty() || !exists(configBackupPath(path))) return false;
  removeWriteLeftovers(path);
  return restoreConfigBackup(path);
}

std::wstring WriteFileTweak::compatibilityNote() const {
  return resolveFolder().empty() ? L"Каталог конфигурации игры не найден." : L"";
}

bool WriteFileTweak::changesUserProfile() const {
  return std::any_of(candidates.begin(), candidates.end(), isInUserProfile) ||
         (!fallbackFolder.empty() && isInUserProfile(fallbackFolder));
}

// --- UeEngineIniTweak ------------------------------------------------------------------------------

UeEngineIniTweak::UeEngineIniTweak(std::wstring id, std::wstring title, std::wstring description, std::wstring path,
                                   std::vector<IniSetting> settings)
    : Tweak(std::move(id), std::move(title), std::move(description), TweakCategory::Games),
      path(std::move(path)),
      settings(std::move(settings)) {}

std::string UeEngineIniTweak::createdBytes() const {
  std::vector<std::wstring> lines;
  for (const IniSetting& s : settings) setIniValueIn(lines, s.section, s.key, s.value);
  return joinTextLines(lines);
}

TweakState UeEngineIniTweak::queryState() {
  if (settings.empty() || !exists(path)) return TweakState::NotApplied;
  const IniSetting& first = settings.front();
  return readIniValue(path, first.section, first.key) == first.value ? TweakState::Applied : TweakState::NotApplied;
}

ConfigEdit UeEngineIniTweak::edit() const {
  return {[this](std::vector<std::wstring>& lines) {
            for (const IniSetting& s : settings) setIniValueIn(lines, s.section, s.key, s.value);
          },
          [this](std::vector<std::wstring>& lines, const std::vector<std::wstring>* before) {
            for (const IniSetting& s : settings) restoreIniEntry(lines, before, s.section, s.key);
          }};
}

bool UeEngineIniTweak::apply() {
  failure_.clear();
  if (path.empty()) return false;
  if (configTooLarge(path)) {
    failure_ = kConfigTooLargeNote;
    return false;
  }
  const std::wstring folder = parentFolder(path);
  if (!folder.empty()) createDirectories(folder);
  // All entries in one replacement of the file: a run killed half-way leaves the old file or the new one.
  return applyConfigEdit(path, edit(), true, &failure_);
}

bool UeEngineIniTweak::revert() {
  failure_.clear();
  if (path.empty()) return true;
  removeWriteLeftovers(path);
  if (queryState() == TweakState::NotApplied) return true;
  return revertConfigEdit(path, edit(), createdBytes(), &failure_);
}

std::wstring UeEngineIniTweak::compatibilityNote() const {
  const std::wstring folder = parentFolder(path);
  if (folder.empty() || fileStatus(folder).kind != FileKind::Directory)
    return L"Игра не запускалась ни разу: каталог конфига не создан.";
  return {};
}

bool UeEngineIniTweak::changesUserProfile() const { return isInUserProfile(path); }

}  // namespace vx
