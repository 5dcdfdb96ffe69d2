#include "games/per_exe_tweaks.h"

#include "games/mitigation_options.h"

namespace vx {

namespace {

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
constexpr std::uint32_t kHighPriority = 3;  // "high" for both CpuPriorityClass and IoPriority
constexpr const wchar_t* kMitigationValue = L"MitigationOptions";
constexpr const wchar_t* kFsoFlag = L"DISABLEDXMAXIMIZEDWINDOWEDMODE";
constexpr const wchar_t* kFsoLayers = L"~ DISABLEDXMAXIMIZEDWINDOWEDMODE HIGHDPIAWARE";

}  // namespace

// --- IfeoPriorityTweak -----------------------------------------------------------------------------

IfeoPriorityTweak::IfeoPriorityTweak(std::wstring exeName, std::wstring title, std::wstring description)
    : Tweak(L"game.ifeo." + exeName, std::move(title), std::move(description), TweakCategory::Games),
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
    : Tweak(L"game.mit." + exeName, gameName + L": отключить mitigations",
            L"Через IFEO MitigationOptions=0x111111111111 (NotSet для всех) — снимает CFG, DEP forced и ASLR для "
            L"конкретной игры. Может слегка ускорить запуск и снять редкие краши при инжекции anti-cheat. Не "
            L"применять к системным процессам.",
            TweakCategory::Pro),
      exeName(std::move(exeName)),
      keyPath(kIfeoKey + this->exeName) {}

std::wstring GameMitigationsTweak::aggressiveWarning() const {
  return L"Снимает защиты Windows для конкретного exe. Применять только для проверенных игр. Если в игру встроен "
         L"anti-cheat и он сломается — этот твик может быть причиной.";
}

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

PerExeDisableFsoTweak::PerExeDisableFsoTweak(std::wstring exeName, std::wstring title, GameDiscovery& discovery)
    : Tweak(L"game.fso." + exeName, std::move(title),
            L"Отключает Fullscreen Optimizations и DPI scaling для конкретного exe-файла.", TweakCategory::Games),
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
