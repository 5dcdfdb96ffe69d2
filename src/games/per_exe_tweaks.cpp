#include "games/per_exe_tweaks.h"

#include <utility>

#include "games/mitigation_options.h"

namespace vx {

namespace {

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
constexpr std::uint32_t kHighPriority = 3;  // "high" for both CpuPriorityClass and IoPriority
constexpr const wchar_t* kMitigationValue = L"MitigationOptions";
constexpr const wchar_t* kFsoFlag = L"DISABLEDXMAXIMIZEDWINDOWEDMODE";
constexpr const wchar_t* kFsoLayers = L"~ DISABLEDXMAXIMIZEDWINDOWEDMODE HIGHDPIAWARE";

constexpr TweakInfo kIfeoPriorityInfo{
    .id = L"game.ifeo.{exe}",
    .title = L"{game}: High CPU/IO priority (IFEO)",
    .description = L"Через IFEO принудительно даёт процессу {exe} High CPU и IO Priority. Снижает микро-фризы при "
                   L"подгрузке текстур и сети.",
    .category = TweakCategory::Games,
};

constexpr TweakInfo kMitigationsInfo{
    .id = L"game.mit.{exe}",
    .title = L"{game}: отключить mitigations",
    .description = L"Через IFEO MitigationOptions=0x111111111111 (NotSet для всех) — снимает CFG, DEP forced и ASLR "
                   L"для конкретной игры. Может слегка ускорить запуск и снять редкие краши при инжекции anti-cheat. "
                   L"Не применять к системным процессам.",
    .category = TweakCategory::Pro,
    .aggressive = true,
    .warning = L"Снимает защиты Windows для конкретного exe. Применять только для проверенных игр. Если в игру "
               L"встроен anti-cheat и он сломается — этот твик может быть причиной.",
};

constexpr TweakInfo kFsoInfo{
    .id = L"game.fso.{exe}",
    .title = L"{game}: отключить Fullscreen Optimizations",
    .description = L"Отключает Fullscreen Optimizations и DPI scaling для конкретного exe-файла.",
    .category = TweakCategory::Games,
};

// The header's text with "{game}" and "{exe}" filled in.
std::wstring filledIn(const wchar_t* text, const std::wstring& game, const std::wstring& exe) {
  std::wstring out = text;
  for (const auto& [mark, value] : {std::pair<std::wstring, const std::wstring*>{L"{game}", &game}, {L"{exe}", &exe}}) {
    for (std::size_t at = out.find(mark); at != std::wstring::npos; at = out.find(mark, at + value->size()))
      out.replace(at, mark.size(), *value);
  }
  return out;
}

}  // namespace

// --- IfeoPriorityTweak -----------------------------------------------------------------------------

IfeoPriorityTweak::IfeoPriorityTweak(std::wstring exeName, const std::wstring& gameName)
    : DescribedTweak(kIfeoPriorityInfo, filledIn(kIfeoPriorityInfo.id, gameName, exeName),
                     filledIn(kIfeoPriorityInfo.title, gameName, exeName),
                     filledIn(kIfeoPriorityInfo.description, gameName, exeName)),
      exeName(std::move(exeName)),
      keyPath(kIfeoKey + this->exeName + L"\\PerfOptions") {}

std::vector<BackupKey> IfeoPriorityTweak::backupKeys() const { return {BackupKey{HKLM, keyPath}}; }

TweakState IfeoPriorityTweak::queryState() {
  const bool applied = regReadDword(HKLM, keyPath, L"CpuPriorityClass") == kHighPriority &&
                       regReadDword(HKLM, keyPath, L"IoPriority") == kHighPriority;
  return applied ? TweakState::Applied : TweakState::NotApplied;
}

bool IfeoPriorityTweak::apply() {
  const bool cpu = regWriteDword(HKLM, keyPath, L"CpuPriorityClass", kHighPriority);
  const bool io = regWriteDword(HKLM, keyPath, L"IoPriority", kHighPriority);
  return cpu && io;
}

bool IfeoPriorityTweak::revert() {
  const bool cpu = regDeleteValue(HKLM, keyPath, L"CpuPriorityClass");
  const bool io = regDeleteValue(HKLM, keyPath, L"IoPriority");
  return cpu && io;
}

TweakChanges IfeoPriorityTweak::changes() {
  return {registryChange(HKLM, keyPath, L"CpuPriorityClass", RegValueImage::dword(kHighPriority), RegValueImage::absent()),
          registryChange(HKLM, keyPath, L"IoPriority", RegValueImage::dword(kHighPriority), RegValueImage::absent())};
}

// --- GameMitigationsTweak --------------------------------------------------------------------------

GameMitigationsTweak::GameMitigationsTweak(std::wstring exeName, const std::wstring& gameName)
    : DescribedTweak(kMitigationsInfo, filledIn(kMitigationsInfo.id, gameName, exeName),
                     filledIn(kMitigationsInfo.title, gameName, exeName),
                     filledIn(kMitigationsInfo.description, gameName, exeName)),
      exeName(std::move(exeName)),
      keyPath(kIfeoKey + this->exeName) {}

std::vector<BackupKey> GameMitigationsTweak::backupKeys() const { return {BackupKey{HKLM, keyPath}}; }

TweakState GameMitigationsTweak::queryState() {
  const auto raw = regReadRaw(HKLM, keyPath, kMitigationValue);
  const bool applied = raw && raw->type == kRegTypeBinary && mitigation::holdsGameOff(raw->data);
  return applied ? TweakState::Applied : TweakState::NotApplied;
}

bool GameMitigationsTweak::apply() {
  return regWriteRaw(HKLM, keyPath, kMitigationValue, kRegTypeBinary, mitigation::gameOffValue());
}

bool GameMitigationsTweak::revert() { return regDeleteValue(HKLM, keyPath, kMitigationValue); }

TweakChanges GameMitigationsTweak::changes() {
  return {registryChange(HKLM, keyPath, kMitigationValue, RegValueImage::raw(kRegTypeBinary, mitigation::gameOffValue()),
                         RegValueImage::absent())};
}

// --- PerExeDisableFsoTweak -------------------------------------------------------------------------

PerExeDisableFsoTweak::PerExeDisableFsoTweak(std::wstring exeName, const std::wstring& gameName,
                                             GameDiscovery& discovery)
    : DescribedTweak(kFsoInfo, filledIn(kFsoInfo.id, gameName, exeName), filledIn(kFsoInfo.title, gameName, exeName),
                     filledIn(kFsoInfo.description, gameName, exeName)),
      exeName(std::move(exeName)),
      discovery_(discovery) {}

std::vector<BackupKey> PerExeDisableFsoTweak::backupKeys() const { return {BackupKey{HKCU, kAppCompatLayersKey}}; }

TweakState PerExeDisableFsoTweak::queryState() {
  const std::wstring exe = discovery_.findGameExecutable(exeName);
  if (exe.empty()) return TweakState::Unavailable;
  const auto layers = regReadString(HKCU, kAppCompatLayersKey, exe);
  return layers && layers->find(kFsoFlag) != std::wstring::npos ? TweakState::Applied : TweakState::NotApplied;
}

bool PerExeDisableFsoTweak::apply() {
  const std::wstring exe = discovery_.findGameExecutable(exeName);
  return !exe.empty() && regWriteString(HKCU, kAppCompatLayersKey, exe, kFsoLayers);
}

bool PerExeDisableFsoTweak::revert() {
  const std::wstring exe = discovery_.findGameExecutable(exeName);
  return exe.empty() || regDeleteValue(HKCU, kAppCompatLayersKey, exe);
}

TweakChanges PerExeDisableFsoTweak::changes() {
  const std::wstring exe = discovery_.findGameExecutable(exeName);
  if (exe.empty()) return {};
  return {registryChange(HKCU, kAppCompatLayersKey, exe, RegValueImage::string(kFsoLayers), RegValueImage::absent())};
}

std::wstring PerExeDisableFsoTweak::compatibilityNote() const {
  return discovery_.findGameExecutable(exeName).empty() ? L"Игра не найдена в стандартных каталогах." : L"";
}

}  // namespace vx
