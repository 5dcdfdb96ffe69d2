#include "tweaks/service_update_tweaks.h"

#include <optional>

#include "platform/services.h"
#include "platform/system.h"
#include "core/group_rows.h"
#include "tweaks/group_builders.h"
#include "tweaks/update_pause_date.h"

namespace vx {

namespace {

constexpr RegRoot kHKLM = RegRoot::LocalMachine;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;
constexpr const wchar_t* kMapsKey = L"SYSTEM\\Maps";
constexpr const wchar_t* kStorePolicyKey = L"SOFTWARE\\Policies\\Microsoft\\WindowsStore";
constexpr const wchar_t* kNduServiceKey = L"SYSTEM\\CurrentControlSet\\Services\\Ndu";
constexpr const wchar_t* kUpdateSettingsKey = L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings";
constexpr const wchar_t* kDeliveryPolicyKey = L"SOFTWARE\\Policies\\Microsoft\\Windows\\DeliveryOptimization";
constexpr const wchar_t* kEdgePolicyKey = L"SOFTWARE\\Policies\\Microsoft\\Edge";
constexpr const wchar_t* kUserRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

constexpr const wchar_t* kSearchService = L"WSearch";
constexpr const wchar_t* kOneDriveRunValue = L"OneDrive";
constexpr const wchar_t* kOneDriveCommandTail = L"\\Microsoft\\OneDrive\\OneDrive.exe /background";

// --- descriptions, in group order ---

constexpr TweakInfo kMapsInfo{
    .id = L"sys.maps_no_autoupdate",
    .title = L"Автообновление офлайн-карт",
    .description = L"Отключает автозагрузку карт Windows Maps.",
    .category = TweakCategory::System,
    .sideEffects = L"При отключении карты будут обновляться только вручную.",
    .tier = 2,
    .backup = {{{kHKLM, kMapsKey}}},
};

constexpr TweakInfo kStoreInfo{
    .id = L"sys.store_no_autoupdate",
    .title = L"Автообновление приложений Магазина",
    .description = L"Microsoft Store перестанет автоматически качать обновления приложений.",
    .category = TweakCategory::System,
    .sideEffects = L"Приложения из Магазина нужно будет обновлять вручную.",
    .tier = 2,
    .backup = {{{kHKLM, kStorePolicyKey}}},
};

constexpr TweakInfo kSearchInfo{
    .id = L"sys.no_indexing",
    .title = L"Индексация (Windows Search)",
    .description = L"Отключает службу Windows Search. Снижает фоновые операции CPU и диска.",
    .category = TweakCategory::System,
    .sideEffects = L"Поиск файлов в Проводнике станет медленнее (полный обход вместо индекса).",
    .tier = 2,
};

constexpr TweakInfo kNduInfo{
    .id = L"sys.no_ndu",
    .title = L"Драйвер диагностики сети (NDU)",
    .description = L"Network Data Usage Monitor — служба сбора статистики сети по приложениям.",
    .category = TweakCategory::System,
    .sideEffects = L"Перестанет работать «Использование сети» в Диспетчере задач и в Параметрах сети.",
    .tier = 3,
    .needsReboot = true,
    .backup = {{{kHKLM, kNduServiceKey}}},
};

constexpr TweakInfo kPauseUpdatesInfo{
    .id = L"sys.pause_winupdate",
    .title = L"Приостановить Обновления Windows",
    .description = L"Откладывает все обновления на максимально допустимый срок (~35 дней).",
    .category = TweakCategory::System,
    .aggressive = true,
    .warning = L"Полностью лишить ПК обновлений нельзя долго — это создаёт риски безопасности.",
    .sideEffects = L"Безопасность системы со временем будет снижаться без обновлений. Pause максимум 35 дней — Windows "
                   L"возобновит автоматически.",
    .tier = 2,
    .backup = {{{kHKLM, kUpdateSettingsKey}}},
};

constexpr TweakInfo kDeliveryInfo{
    .id = L"sys.no_delivery_opt",
    .title = L"Оптимизация доставки",
    .description = L"Отключает раздачу обновлений Windows другим компьютерам в локальной сети и интернете "
                   L"(peer-to-peer обновления).",
    .category = TweakCategory::System,
    .sideEffects = L"Обновления будут качаться только напрямую с серверов Microsoft.",
    .tier = 2,
    .backup = {{{kHKLM, kDeliveryPolicyKey}}},
};

constexpr TweakInfo kEdgeInfo{
    .id = L"sys.no_edge_bg",
    .title = L"Ускорение запуска и фоновая работа Edge",
    .description = L"Отключает прелаунчер Microsoft Edge и фоновые процессы которые висят даже когда браузер закрыт.",
    .category = TweakCategory::System,
    .sideEffects = L"Edge будет запускаться чуть медленнее в первый раз.",
    .tier = 2,
    .backup = {{{kHKLM, kEdgePolicyKey}}},
};

constexpr TweakInfo kOneDriveInfo{
    .id = L"sys.no_onedrive",
    .title = L"OneDrive (автозапуск)",
    .description = L"Удаляет OneDrive из автозагрузки и отключает интеграцию в Проводник.",
    .category = TweakCategory::System,
    .sideEffects = L"OneDrive больше не будет запускаться автоматически. Файлы в облаке останутся, доступ через "
                   L"https://onedrive.live.com.",
    .tier = 2,
    .backup = {{{kHKCU, kUserRunKey}}},
};

// --- registry settings ---

constexpr RegSetting kMapsSettings[] = {
    {kHKLM, kMapsKey, L"AutoUpdateEnabled", dwordData(0), kRevertDelete, kCheckEquals},
};

// AutoDownload 2: automatic app updates off (4 would be "always on").
constexpr RegSetting kStoreSettings[] = {
    {kHKLM, kStorePolicyKey, L"AutoDownload", dwordData(2), kRevertDelete, kCheckEquals},
};

// Start 4 disabled, 2 automatic.
constexpr RegSetting kNduSettings[] = {
    {kHKLM, kNduServiceKey, L"Start", dwordData(4), revertTo(dwordData(2)), kCheckEquals},
};

// DODownloadMode 0: downloads from Microsoft only, no peers.
constexpr RegSetting kDeliverySettings[] = {
    {kHKLM, kDeliveryPolicyKey, L"DODownloadMode", dwordData(0), kRevertDelete, kCheckEquals},
};

constexpr RegSetting kEdgeSettings[] = {
    {kHKLM, kEdgePolicyKey, L"BackgroundModeEnabled", dwordData(0), kRevertDelete, kCheckEquals},
    {kHKLM, kEdgePolicyKey, L"StartupBoostEnabled", dwordData(0), kRevertDelete, kNoCheck},
};

// Both pauses start now and end one year later.
constexpr const wchar_t* kPauseStartValues[] = {L"PauseFeatureUpdatesStartTime", L"PauseQualityUpdatesStartTime"};
constexpr const wchar_t* kPauseEndValues[] = {L"PauseFeatureUpdatesEndTime", L"PauseQualityUpdatesEndTime"};
constexpr const wchar_t* kPauseStateValue = L"PauseFeatureUpdatesEndTime";

}  // namespace

constexpr RegistryRow kMapsRow{kMapsInfo, kMapsSettings};
constexpr RegistryRow kStoreRow{kStoreInfo, kStoreSettings};
constexpr RegistryRow kNduRow{kNduInfo, kNduSettings};
constexpr RegistryRow kDeliveryRow{kDeliveryInfo, kDeliverySettings};
constexpr RegistryRow kEdgeRow{kEdgeInfo, kEdgeSettings};

// --- search indexing ---

namespace {
constexpr ServiceRow kSearchRow{kSearchInfo, kSearchService, kServiceDisabled, kServiceAutoStart};
}  // namespace

DisableSearchIndexingTweak::DisableSearchIndexingTweak() : ServiceTweak(kSearchRow) {}

TweakState DisableSearchIndexingTweak::queryState() {
  if (!serviceExists(kSearchService)) return TweakState::Unavailable;
  return serviceStartType(kSearchService) == static_cast<int>(kServiceDisabled) ? TweakState::Applied
                                                                               : TweakState::NotApplied;
}

// --- update pause ---

PauseWindowsUpdateTweak::PauseWindowsUpdateTweak() : DescribedTweak(kPauseUpdatesInfo) {}

TweakState PauseWindowsUpdateTweak::queryState() {
  const auto end = regReadString(kHKLM, kUpdateSettingsKey, kPauseStateValue);
  return end && !end->empty() ? TweakState::Applied : TweakState::NotApplied;
}

TweakChanges PauseWindowsUpdateTweak::changes() {
  const CalendarTime now = utcTime();
  const auto start = RegValueImage::string(utcStampText(now));
  const auto end = RegValueImage::string(utcStampText(oneYearLater(now)));
  TweakChanges list;
  for (const wchar_t* name : kPauseStartValues)
    list.push_back(registryChange(kHKLM, kUpdateSettingsKey, name, start, RegValueImage::absent()));
  for (const wchar_t* name : kPauseEndValues)
    list.push_back(registryChange(kHKLM, kUpdateSettingsKey, name, end, RegValueImage::absent()));
  return list;
}

bool PauseWindowsUpdateTweak::apply() {
  const CalendarTime now = utcTime();
  const std::wstring start = utcStampText(now);
  const std::wstring end = utcStampText(oneYearLater(now));
  bool all = true;
  for (const wchar_t* name : kPauseStartValues) all = regWriteString(kHKLM, kUpdateSettingsKey, name, start) && all;
  for (const wchar_t* name : kPauseEndValues) all = regWriteString(kHKLM, kUpdateSettingsKey, name, end) && all;
  return all;
}

bool PauseWindowsUpdateTweak::revert() {
  bool all = true;
  for (const wchar_t* name : kPauseStartValues) all = regDeleteValue(kHKLM, kUpdateSettingsKey, name) && all;
  for (const wchar_t* name : kPauseEndValues) all = regDeleteValue(kHKLM, kUpdateSettingsKey, name) && all;
  return all;
}

// --- OneDrive auto-start ---

DisableOneDriveTweak::DisableOneDriveTweak() : DescribedTweak(kOneDriveInfo) {}

TweakState DisableOneDriveTweak::queryState() {
  return regReadString(kHKCU, kUserRunKey, kOneDriveRunValue) ? TweakState::NotApplied : TweakState::Applied;
}

bool DisableOneDriveTweak::apply() { return regDeleteValue(kHKCU, kUserRunKey, kOneDriveRunValue); }

namespace {

// Without the profile folder there is no sensible entry to write (an empty one would make it
// "\Microsoft\OneDrive\OneDrive.exe", a path on whatever drive is current): nothing then.
std::optional<std::wstring> oneDriveRunEntry() {
  const auto localAppData = environmentVariable(L"LOCALAPPDATA");
  if (!localAppData || localAppData->empty()) return std::nullopt;
  return *localAppData + kOneDriveCommandTail;
}

}  // namespace

bool DisableOneDriveTweak::revert() {
  const auto entry = oneDriveRunEntry();
  return !entry || regWriteString(kHKCU, kUserRunKey, kOneDriveRunValue, *entry);
}

TweakChanges DisableOneDriveTweak::changes() {
  const auto entry = oneDriveRunEntry();
  if (!entry) return {keptOnRevert(kHKCU, kUserRunKey, kOneDriveRunValue, RegValueImage::absent())};
  return {registryChange(kHKCU, kUserRunKey, kOneDriveRunValue, RegValueImage::absent(), RegValueImage::string(*entry))};
}

// --- group ---

void appendServiceUpdateGroup(TweakCatalog& catalog) {
  static constexpr GroupRow kRows[] = {
      {&kMapsRow}, {&kStoreRow}, {.make = makeTweak<DisableSearchIndexingTweak>}, {&kNduRow},
      {.make = makeTweak<PauseWindowsUpdateTweak>}, {&kDeliveryRow}, {&kEdgeRow}, {.make = makeTweak<DisableOneDriveTweak>},
  };
  appendRows(catalog, kRows);
}

}  // namespace vx
