#include "games/general_game_tweaks.h"

#include "games/game_environment.h"
#include "hw/display_adapters.h"
#include "hw/nvidia_keys.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace vx {

namespace {

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;

constexpr const wchar_t* kGameConfigStore = L"System\\GameConfigStore";
constexpr const wchar_t* kGameBar = L"Software\\Microsoft\\GameBar";
constexpr const wchar_t* kGameDvr = L"Software\\Microsoft\\Windows\\CurrentVersion\\GameDVR";
constexpr const wchar_t* kGameDvrPolicy = L"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR";
constexpr const wchar_t* kMouse = L"Control Panel\\Mouse";

constexpr TweakInfo kGameBarInfo{
    .id = L"game.kill_gamebar",
    .title = L"Полностью отключить Game Bar и Xbox-сервисы",
    .description = L"Закрывает GameBar, отключает Xbox Game Monitoring, GameDVR-сервис, AppCaptureEnabled. Снимает "
                   L"фоновый CPU-tax при запуске игр.",
    .category = TweakCategory::Games,
    .backup = {KeyRef{HKCU, kGameConfigStore}, KeyRef{HKCU, kGameBar}, KeyRef{HKCU, kGameDvr}},
};
// Revert deletes rows 1, 2, 3 and 6; the game-mode values and the policy stay as apply left them.
constexpr RegSetting kGameBarSettings[] = {
    {HKCU, kGameConfigStore, L"GameDVR_Enabled", dwordData(0), kRevertDelete, kCheckEquals},
    {HKCU, kGameConfigStore, L"GameDVR_FSEBehaviorMode", dwordData(2), kRevertDelete, kNoCheck},
    {HKCU, kGameBar, L"UseNexusForGameBarEnabled", dwordData(0), kRevertDelete, kCheckEquals},
    {HKCU, kGameBar, L"AllowAutoGameMode", dwordData(1), kRevertKeep, kNoCheck},
    {HKCU, kGameBar, L"AutoGameModeEnabled", dwordData(1), kRevertKeep, kNoCheck},
    {HKCU, kGameDvr, L"AppCaptureEnabled", dwordData(0), kRevertDelete, kNoCheck},
    {HKLM, kGameDvrPolicy, L"AllowGameDVR", dwordData(0), kRevertKeep, kNoCheck},
};

constexpr TweakInfo kMouseInfo{
    .id = L"game.mouse_raw",
    .title = L"Мышь: убрать акселерацию + снизить smoothing",
    .description = L"MouseSpeed=0, MouseThreshold1=0, MouseThreshold2=0 + SmoothMouseXCurve. Полезно для шутеров: "
                   L"1:1 движение мыши, без сглаживания.",
    .category = TweakCategory::Games,
    .backup = {KeyRef{HKCU, kMouse}},
};
// The description names SmoothMouseXCurve; no curve is written. MouseSensitivity stays on revert.
constexpr RegSetting kMouseSettings[] = {
    {HKCU, kMouse, L"MouseSpeed", textData(L"0"), revertTo(textData(L"1")), kCheckEquals},
    {HKCU, kMouse, L"MouseThreshold1", textData(L"0"), revertTo(textData(L"6")), kCheckEquals},
    {HKCU, kMouse, L"MouseThreshold2", textData(L"0"), revertTo(textData(L"10")), kNoCheck},
    {HKCU, kMouse, L"MouseSensitivity", textData(L"10"), kRevertKeep, kNoCheck},
};

constexpr TweakInfo kUlpsInfo{
    .id = L"game.nv_no_ulps",
    .title = L"NVIDIA: отключить ULPS (Ultra Low Power State)",
    .description = L"NVIDIA carbide ULPS усыпляет вторичные GPU и переключает основное GPU в спящий режим при "
                   L"простое. Отключение убирает spike при старте игры.",
    .category = TweakCategory::Pro,
    .aggressive = true,
    .warning = L"Применимо в основном для multi-GPU SLI. На single-GPU системе обычно не нужно. Может незначительно "
               L"повысить нагрев GPU в простое.",
    .backup = {KeyRef{HKLM, kDisplayClassKey}},
};
constexpr const wchar_t* kUlpsValue = L"DisableULPS";

constexpr TweakInfo kColorInfo{
    .id = L"game.color.open",
    .title = L"Открыть настройки цвета (NVIDIA / AMD)",
    .description = L"Программа не может изменить Digital Vibrance напрямую без рисков для драйвера. Этот пункт "
                   L"открывает Панель управления NVIDIA / AMD Radeon Software, где вручную можно поднять "
                   L"насыщенность до 60-75% для более насыщенной картинки.",
    .category = TweakCategory::Games,
};

constexpr TweakInfo kShaderInfo{
    .id = L"game.clear_shadercache",
    .title = L"Очистить D3D кэш шейдеров",
    .description = L"Удаляет содержимое кэша D3D и NVIDIA Shader Cache. После этого первый запуск игры будет дольше "
                   L"(компилируются шейдеры), но stutter уйдёт. Применять после обновления драйвера GPU.",
    .category = TweakCategory::Games,
};

// Deep enough for any cache layout; links are never entered whatever the depth.
constexpr int kCacheWalkLevels = 64;

}  // namespace

constexpr RegistryRow kGameBarRow{kGameBarInfo, kGameBarSettings};
constexpr RegistryRow kMouseRow{kMouseInfo, kMouseSettings};

// --- NvDisableUlpsTweak ----------------------------------------------------------------------------

NvDisableUlpsTweak::NvDisableUlpsTweak() : DescribedTweak(kUlpsInfo) {}

TweakState NvDisableUlpsTweak::queryState() {
  const auto keys = nvidiaDriverDescKeys();
  if (keys.empty()) return TweakState::Unavailable;
  for (const std::wstring& key : keys)
    if (regReadDword(HKLM, key, kUlpsValue) == 1u) return TweakState::Applied;
  return TweakState::NotApplied;
}

bool NvDisableUlpsTweak::apply() {
  bool any = false;
  for (const std::wstring& key : nvidiaDriverDescKeys()) any = regWriteDword(HKLM, key, kUlpsValue, 1) || any;
  return any;
}

bool NvDisableUlpsTweak::revert() {
  bool all = true;
  for (const std::wstring& key : nvidiaDriverDescKeys()) all = regDeleteValue(HKLM, key, kUlpsValue) && all;
  return all;
}

TweakChanges NvDisableUlpsTweak::changes() {
  TweakChanges list;
  for (const std::wstring& key : nvidiaDriverDescKeys())
    list.push_back(registryChange(HKLM, key, kUlpsValue, RegValueImage::dword(1), RegValueImage::absent()));
  return list;
}

std::wstring NvDisableUlpsTweak::compatibilityNote() const {
  return nvidiaDriverDescKeys().empty() ? L"NVIDIA GPU не обнаружен." : L"";
}

// --- OpenColorSettingsTweak ------------------------------------------------------------------------

OpenColorSettingsTweak::OpenColorSettingsTweak() : DescribedTweak(kColorInfo) {}

std::wstring OpenColorSettingsTweak::target() {
  constexpr const wchar_t* kNvidiaPanel = L"\\NVIDIA Corporation\\Control Panel Client\\nvcplui.exe";
  std::vector<std::wstring> candidates;
  if (auto pf = gameEnvironmentValue(L"ProgramFiles")) candidates.push_back(*pf + kNvidiaPanel);
  if (auto x86 = gameEnvironmentValue(L"ProgramFiles(x86)")) candidates.push_back(*x86 + kNvidiaPanel);
  candidates.push_back(L"C:\\Program Files\\AMD\\CNext\\CNext\\RadeonSoftware.exe");
  for (const std::wstring& candidate : candidates)
    if (fileStatus(candidate).kind != FileKind::Missing) return candidate;
  return L"ms-settings:display";
}

bool OpenColorSettingsTweak::apply() { return shellOpen(target()); }

TweakChanges OpenColorSettingsTweak::changes() { return {commandChange(target(), L"")}; }

// --- ClearShaderCacheTweak -------------------------------------------------------------------------

std::vector<std::wstring> shaderCacheFolders() {
  const auto local = gameEnvironmentValue(L"LOCALAPPDATA");
  if (!local) return {};
  return {joinPath(*local, L"D3DSCache"), joinPath(*local, L"NVIDIA\\DXCache"), joinPath(*local, L"NVIDIA\\GLCache"),
          joinPath(*local, L"AMD\\DxCache"), joinPath(*local, L"AMD\\GLCache")};
}

ClearShaderCacheTweak::ClearShaderCacheTweak() : DescribedTweak(kShaderInfo) {}

TweakChanges ClearShaderCacheTweak::changes() {
  TweakChanges list;
  for (const std::wstring& folder : shaderCacheFolders()) {
    TweakChange change;
    change.kind = ChangeKind::FolderContents;
    change.key = folder;
    change.readsBack = false;
    list.push_back(std::move(change));
  }
  return list;
}

bool ClearShaderCacheTweak::apply() {
  // Through handles: a cache folder that is a link, or a link inside (also one swapped in while
  // the walk runs), is never entered, so nothing outside the cache is reached. Files are deleted,
  // folders stay; a file that cannot be deleted (in use, read-only) is skipped.
  const TreeDeletionRules rules{kCacheWalkLevels, false, false};
  bool deleted = false;
  for (const std::wstring& folder : shaderCacheFolders())
    if (const auto walk = deleteFolderContents(folder, rules); walk && walk->filesDeleted > 0) deleted = true;
  return deleted;
}

}  // namespace vx
