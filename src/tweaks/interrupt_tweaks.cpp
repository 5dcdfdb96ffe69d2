#include "tweaks/interrupt_tweaks.h"

#include "hw/display_adapters.h"
#include "platform/system.h"
#include "core/group_rows.h"
#include "tweaks/group_builders.h"
#include "tweaks/msi_mode.h"

namespace vx {

namespace {

constexpr const wchar_t* kMemoryManagementKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

constexpr TweakInfo kGpuMsiInfo{
    .id = L"perf.gpu_msi",
    .title = L"Extreme Performance: MSI Mode для GPU (High Priority)",
    .description = L"Переводит видеокарту с line-based прерываний на MSI (Message Signaled Interrupts) и поднимает "
                   L"приоритет прерываний до High. Снижает stuttering и input lag в играх. После применения нужна "
                   L"перезагрузка.",
    .aggressive = true,
    .warning = L"Изменяется тип прерываний на уровне ядра Windows. На некоторых старых драйверах GPU это может "
               L"привести к BSOD при загрузке. Откат — через бэкап реестра в %ProgramData%\\Vantorix\\Backups или "
               L"точку восстановления.",
    .needsReboot = true,
};

constexpr TweakInfo kPciAspmInfo{
    .id = L"perf.pcie_no_aspm",
    .title = L"Extreme Performance: отключить PCIe Link State Power Management",
    .description = L"Отключает ASPM на PCIe-устройствах (включая GPU и NVMe), который вызывает микрофризы при "
                   L"пробуждении линии. Применяется через активный план питания.",
    .aggressive = true,
    .warning = L"Полный отказ от ASPM повышает энергопотребление и нагрев системы (особенно для NVMe SSD). На "
               L"ноутбуке заметно сократит время автономной работы.",
    .backup = {{{RegRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Control\\Power"}}},
};

constexpr TweakInfo kMitigationsInfo{
    .id = L"perf.no_spectre_meltdown",
    .title = L"Extreme Performance: отключить митигации Spectre/Meltdown",
    .description = L"АГРЕССИВНО. Отключает программные митигации уязвимостей CPU. Возвращает 5–15% "
                   L"производительности на Intel 1–7 поколений и старых Xeon. Снижает безопасность системы — "
                   L"применять только на изолированных игровых ПК. Обязательно создаётся точка восстановления.",
    .aggressive = true,
    .warning = L"Отключаются защиты от уязвимостей CPU класса Spectre/Meltdown/MDS. Если на этом ПК запускается "
               L"недоверенный код или браузер с кучей вкладок, теоретически возможны атаки по сторонним каналам. "
               L"Применять только на офлайн-игровом ПК где это оправдано приростом 10-15% производительности.",
    .needsReboot = true,
    .backup = {{{RegRoot::LocalMachine, kMemoryManagementKey}}},
};

constexpr std::uint32_t kHighPriority = 3;

// powercfg: ASPM off (0) on apply, back to maximum power savings (2) on revert. The marker is the
// only record of this change, so it is written only when powercfg really ran every step; a
// missing or failing powercfg must not show the tweak as applied.
constexpr ToolStep kAspmSteps[] = {
    {L"/SETACVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM 0", L"/SETACVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM 2"},
    {L"/SETDCVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM 0", L"/SETDCVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM 2"},
    {L"/SETACTIVE SCHEME_CURRENT", L"/SETACTIVE SCHEME_CURRENT"},
};
constexpr ToolSteps kAspm{L"powercfg.exe", kAspmSteps, 8000, RevertNeeds::ToolFolder};

// Both override values 3: the mitigations for Spectre variant 2 and Meltdown off.
constexpr RegSetting kMitigationsOff[] = {
    {RegRoot::LocalMachine, kMemoryManagementKey, L"FeatureSettingsOverride", dwordData(3), kRevertDelete, kCheckEquals},
    {RegRoot::LocalMachine, kMemoryManagementKey, L"FeatureSettingsOverrideMask", dwordData(3), kRevertDelete,
     kCheckEquals},
};

}  // namespace

constexpr MarkerRow kPciAspmRow{kPciAspmInfo, L"PciAspmDisabled", kAspm};
constexpr RegistryRow kMitigationsRow{kMitigationsInfo, kMitigationsOff};

// --- GPU MSI mode ---

GpuMsiModeTweak::GpuMsiModeTweak() : DescribedTweak(kGpuMsiInfo) {}

std::vector<BackupKey> GpuMsiModeTweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) keys.push_back({RegRoot::LocalMachine, adapter.keyPath});
  return keys;
}

TweakState GpuMsiModeTweak::queryState() {
  const auto adapters = enumDisplayAdapters();
  if (adapters.empty()) return TweakState::Unavailable;
  for (const DisplayAdapter& adapter : adapters) {
    const MsiState s = readMsiState(adapter.matchingDeviceId);
    if (!s.msiValuePresent || !s.msiEnabled || s.devicePriority != kHighPriority) return TweakState::NotApplied;
  }
  return TweakState::Applied;
}

bool GpuMsiModeTweak::apply() {
  bool any = false;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    any = setMsiState(adapter.matchingDeviceId, true, kHighPriority) || any;
  }
  return any;
}

bool GpuMsiModeTweak::revert() {
  // The values from before apply are not remembered; the registry backup holds them. A device
  // without a PCI instance key has nothing to reset.
  bool all = true;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    if (findPciInstancePath(adapter.matchingDeviceId).empty()) continue;
    all = setMsiState(adapter.matchingDeviceId, false, 0) && all;
  }
  return all;
}

TweakChanges GpuMsiModeTweak::changes() {
  TweakChanges list;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    for (TweakChange& c : msiStateChanges(adapter.matchingDeviceId, true, kHighPriority, false, 0))
      list.push_back(std::move(c));
  }
  return list;
}

// --- group ---

void appendInterruptGroup(TweakCatalog& catalog) {
  static constexpr GroupRow kRows[] = {
      {.make = makeTweak<GpuMsiModeTweak>}, {.make = makeTweak<DisablePciAspmTweak>}, {&kMitigationsRow}};
  appendRows(catalog, kRows);
}

}  // namespace vx
