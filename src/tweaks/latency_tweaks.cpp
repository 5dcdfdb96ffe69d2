#include "tweaks/latency_tweaks.h"

#include "hw/display_adapters.h"
#include "core/group_rows.h"
#include "tweaks/group_builders.h"
#include "hw/nvidia_keys.h"

namespace vx {

namespace {

constexpr RegRoot kHKLM = RegRoot::LocalMachine;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;
constexpr const wchar_t* kUsbServiceKey = L"SYSTEM\\CurrentControlSet\\Services\\USB";
constexpr const wchar_t* kGameConfigStoreKey = L"System\\GameConfigStore";
constexpr const wchar_t* kGraphicsDriversKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
constexpr const wchar_t* kMemoryManagementKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const wchar_t* kPriorityControlKey = L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl";

// --- descriptions, in group order ---

constexpr TweakInfo kUsbPowerInfo{
    .id = L"perf.usb_power",
    .title = L"Снижение Input Lag: отключить USB Power Save",
    .description = L"Запрещает системе снимать питание с USB-контроллеров. Делает движения мыши и клавиатурный ввод "
                   L"более стабильными, особенно в играх.",
    .backup = {{{kHKLM, kUsbServiceKey}}},
};

constexpr TweakInfo kBcdHpetInfo{
    .id = L"perf.bcd_hpet",
    .title = L"Снижение Input Lag: стабилизировать таймер (BCD)",
    .description = L"bcdedit /set disabledynamictick yes и useplatformclock yes — снижает разброс времени кадра в играх "
                   L"на современных CPU. Помечен агрессивным, поскольку модифицирует BCD.",
    .aggressive = true,
    .warning = L"Меняет загрузочную конфигурацию (BCD). На некоторых CPU без HPET useplatformclock yes может привести к "
               L"тому, что система не загрузится. Откат — Last Known Good или загрузка с установочного диска и bcdedit "
               L"deletevalue.",
    .needsReboot = true,
    .requirement = Requirement::Windows10,
    .backup = {{{kHKLM, kMarkerKey}}},
};

constexpr TweakInfo kFsoInfo{
    .id = L"perf.fso_off",
    .title = L"Снижение Input Lag: глобально отключить Fullscreen Optimizations",
    .description = L"FSO в Win10/11 принудительно использует DWM-композитинг даже в fullscreen, что добавляет 1–2 "
                   L"кадра задержки ввода. Отключение возвращает истинный эксклюзивный fullscreen.",
    .requirement = Requirement::Windows10,
    .backup = {{{kHKCU, kGameConfigStoreKey}}},
};

constexpr TweakInfo kShaderCacheInfo{
    .id = L"perf.shader_cache",
    .title = L"Видеокарта: увеличенный кэш шейдеров",
    .description = L"Поднимает лимит DirectX/глобального кэша шейдеров до 100 ГБ. Игры реже перекомпилируют шейдеры "
                   L"между сессиями, что уменьшает stutter при загрузке.",
    .backup = {{{kHKLM, kGraphicsDriversKey}}},
};

constexpr TweakInfo kNvidiaPStateInfo{
    .id = L"perf.nv_pstate",
    .title = L"NVIDIA: режим максимальной производительности (P0)",
    .description = L"Через PowerMizerEnable=1 + PowerMizerLevel=1 / AC=1 заставляет драйвер NVIDIA держать GPU в P0 "
                   L"(максимальные частоты) во время игр, без скатывания в P8.",
};

constexpr TweakInfo kReBarInfo{
    .id = L"perf.rebar_status",
    .title = L"Видеокарта: проверка Resizable BAR",
    .description = L"Включить ReBAR из приложения нельзя — это делается в UEFI/BIOS. Этот пункт проверяет, видит ли "
                   L"система маркер ReBAR в реестре GPU, и подсказывает, включён ли он.",
    .informationOnly = true,
};

constexpr TweakInfo kSystemCacheInfo{
    .id = L"perf.system_cache",
    .title = L"Память: повысить приоритет системного кэша",
    .description = L"LargeSystemCache=1, IoPageLockLimit=983040 — увеличивает рабочий набор кэша файлов. Полезно если "
                   L"у вас 16+ ГБ ОЗУ и много фоновой работы с диском.",
    .requirement = Requirement::Memory8GiB,
    .backup = {{{kHKLM, kMemoryManagementKey}}},
};

constexpr TweakInfo kDynamicPriorityInfo{
    .id = L"perf.dyn_priority",
    .title = L"Динамический Win32PrioritySeparation",
    .description = L"Включает игровой профиль квантов времени CPU (короткие, переменные, 3:1 для окна переднего "
                   L"плана). При откате возвращается стандартный 2.",
    .backup = {{{kHKLM, kPriorityControlKey}}},
};

constexpr TweakInfo kHagsInfo{
    .id = L"perf.hags",
    .title = L"Включить HAGS (Hardware-accelerated GPU Scheduling)",
    .description = L"HwSchMode=2. Снижает задержку отправки команд GPU. Требует поддержку драйвера и WDDM 2.7+ (Win10 "
                   L"2004+ / Win11). После применения нужна перезагрузка.",
    .needsReboot = true,
    .requirement = Requirement::Windows10Build19041,
    .backup = {{{kHKLM, kGraphicsDriversKey}}},
};

constexpr TweakInfo kHpetOffInfo{
    .id = L"perf.hpet_off",
    .title = L"Отключить High Precision Event Timer (HPET)",
    .description = L"На большинстве современных систем HPET добавляет задержку и его лучше отключать. Применяется через "
                   L"bcdedit и запрет устройства в реестре.",
    .aggressive = true,
    .warning = L"Меняет BCD-параметры таймера. На редких сборках систем без надёжного TSC может привести к нестабильным "
               L"значениям системных часов и проблемам с DRM-приложениями.",
    .needsReboot = true,
    .requirement = Requirement::Windows10,
    .backup = {{{kHKLM, kMarkerKey}}},
};

constexpr TweakInfo kDismInfo{
    .id = L"clean.dism_winsxs",
    .title = L"Очистка: WinSxS (Component Store) через DISM",
    .description = L"Запускает DISM /Online /Cleanup-Image /StartComponentCleanup /ResetBase. Освобождает 5–15 ГБ за "
                   L"счёт удаления старых обновлений. Может занять 5–20 минут.",
    .aggressive = true,
    .warning = L"После /ResetBase предыдущие обновления нельзя будет деинсталлировать через Windows Update. Если новое "
               L"обновление вызовет проблему, единственный способ откатить — переустановка системы.",
    .requirement = Requirement::Windows10,
};

// --- registry settings ---

constexpr RegSetting kFsoSettings[] = {
    {kHKCU, kGameConfigStoreKey, L"GameDVR_FSEBehaviorMode", dwordData(2), kRevertDelete, kCheckEquals},
    {kHKCU, kGameConfigStoreKey, L"GameDVR_DXGIHonorFSEWindowsCompatible", dwordData(1), kRevertDelete, kCheckEquals},
    {kHKCU, kGameConfigStoreKey, L"GameDVR_HonorUserFSEBehaviorMode", dwordData(1), kRevertDelete, kNoCheck},
    {kHKCU, kGameConfigStoreKey, L"GameDVR_EFSEFeatureFlags", dwordData(0), kRevertDelete, kNoCheck},
};

constexpr RegSetting kShaderCacheSettings[] = {
    {kHKLM, kGraphicsDriversKey, L"ShaderCache", dwordData(1), kRevertDelete, kCheckEquals},
    {kHKLM, kGraphicsDriversKey, L"D3D12ShaderCacheSize", dwordData(102400), kRevertDelete, kNoCheck},  // MB
};

constexpr RegSetting kSystemCacheSettings[] = {
    {kHKLM, kMemoryManagementKey, L"LargeSystemCache", dwordData(1), kRevertDelete, kCheckEquals},
    {kHKLM, kMemoryManagementKey, L"IoPageLockLimit", dwordData(0xF0000), kRevertDelete, kNoCheck},
};

// 0x26: short, variable quanta, foreground boost 3:1; 2 is the Windows default.
constexpr RegSetting kDynamicPrioritySettings[] = {
    {kHKLM, kPriorityControlKey, L"Win32PrioritySeparation", dwordData(0x26), revertTo(dwordData(2)), kCheckEquals},
};

// HwSchMode 2 on, 1 off (the value is kept so the driver sees an explicit choice).
constexpr RegSetting kHagsSettings[] = {
    {kHKLM, kGraphicsDriversKey, L"HwSchMode", dwordData(2), revertTo(dwordData(1)), kCheckEquals},
};

// --- tools ---

// USB selective suspend in the active power plan (its USB settings subgroup): 0 off on apply, 1 on
// again on revert; best effort, the registry value decides.
constexpr ToolStep kUsbSuspendSteps[] = {
    {L"/SETACVALUEINDEX SCHEME_CURRENT 2a737441-1930-4402-8d77-b2bebba308a3 48e6b7a6-50f5-4782-a5d4-53bb8f07e226 0",
     L"/SETACVALUEINDEX SCHEME_CURRENT 2a737441-1930-4402-8d77-b2bebba308a3 48e6b7a6-50f5-4782-a5d4-53bb8f07e226 1",
     false},
    {L"/SETDCVALUEINDEX SCHEME_CURRENT 2a737441-1930-4402-8d77-b2bebba308a3 48e6b7a6-50f5-4782-a5d4-53bb8f07e226 0",
     L"/SETDCVALUEINDEX SCHEME_CURRENT 2a737441-1930-4402-8d77-b2bebba308a3 48e6b7a6-50f5-4782-a5d4-53bb8f07e226 1",
     false},
    {L"/SETACTIVE SCHEME_CURRENT", L"/SETACTIVE SCHEME_CURRENT", false},
};
constexpr ToolSteps kUsbSuspend{L"powercfg.exe", kUsbSuspendSteps, 5000};

// All three must work; a partly changed boot configuration is not marked as applied.
constexpr ToolStep kBcdTimerSteps[] = {
    {L"/set {current} disabledynamictick yes", L"/deletevalue {current} disabledynamictick"},
    {L"/set {current} useplatformclock yes", L"/deletevalue {current} useplatformclock"},
    {L"/set {current} useplatformtick yes", L"/deletevalue {current} useplatformtick"},
};
constexpr ToolSteps kBcdTimer{L"bcdedit.exe", kBcdTimerSteps, 8000};

// bcdedit /deletevalue fails for an element that is not set, and a stock Windows never sets
// useplatformclock: removing it is best effort. Only the dynamic tick decides, and only a boot
// configuration that really changed may show the tweak as applied.
constexpr ToolStep kHpetOffSteps[] = {
    {L"/deletevalue {current} useplatformclock", L"", false},
    {L"/set {current} disabledynamictick yes", L"/deletevalue {current} disabledynamictick"},
};
constexpr ToolSteps kHpetOff{L"bcdedit.exe", kHpetOffSteps, 5000};

// A run that outlives the hour keeps going in the background but counts as failed.
constexpr ToolStep kDismSteps[] = {{L"/Online /Cleanup-Image /StartComponentCleanup /ResetBase", L""}};
constexpr ToolSteps kDism{L"dism.exe", kDismSteps, 3600000};  // one hour

// PowerMizer on at its maximum level, performance level source fixed (0x3322).
struct DwordValue {
  const wchar_t* name;
  std::uint32_t value;
};
constexpr DwordValue kPowerMizerValues[] = {
    {L"PowerMizerEnable", 1}, {L"PowerMizerLevel", 1}, {L"PowerMizerLevelAC", 1}, {L"PerfLevelSrc", 0x3322}};

bool dwordIs(const std::wstring& key, const wchar_t* name, std::uint32_t expected) {
  const auto value = regReadDword(kHKLM, key, name);
  return value && *value == expected;
}

}  // namespace

constexpr RegistryRow kFsoRow{kFsoInfo, kFsoSettings};
constexpr RegistryRow kShaderCacheRow{kShaderCacheInfo, kShaderCacheSettings};
constexpr RegistryRow kSystemCacheRow{kSystemCacheInfo, kSystemCacheSettings};
constexpr RegistryRow kDynamicPriorityRow{kDynamicPriorityInfo, kDynamicPrioritySettings};
constexpr RegistryRow kHagsRow{kHagsInfo, kHagsSettings};
constexpr MarkerRow kBcdHpetRow{kBcdHpetInfo, L"BcdHpetApplied", kBcdTimer};
constexpr MarkerRow kHpetOffRow{kHpetOffInfo, L"HpetOff", kHpetOff};
constexpr MarkerRow kDismRow{kDismInfo, L"DismCleanupRun", kDism};

// --- USB power saving ---

UsbPowerSaveTweak::UsbPowerSaveTweak() : DescribedTweak(kUsbPowerInfo) {}

TweakState UsbPowerSaveTweak::queryState() {
  return dwordIs(kUsbServiceKey, L"DisableSelectiveSuspend", 1) ? TweakState::Applied : TweakState::NotApplied;
}

bool UsbPowerSaveTweak::apply() {
  const bool written = regWriteDword(kHKLM, kUsbServiceKey, L"DisableSelectiveSuspend", 1);
  runApplySteps(kUsbSuspend);
  return written;
}

bool UsbPowerSaveTweak::revert() {
  const bool deleted = regDeleteValue(kHKLM, kUsbServiceKey, L"DisableSelectiveSuspend");
  runRevertSteps(kUsbSuspend);
  return deleted;
}

TweakChanges UsbPowerSaveTweak::changes() {
  TweakChanges list{registryChange(kHKLM, kUsbServiceKey, L"DisableSelectiveSuspend", RegValueImage::dword(1),
                                   RegValueImage::absent())};
  for (TweakChange& step : describeToolSteps(kUsbSuspend)) list.push_back(std::move(step));
  return list;
}

// --- NVIDIA P0 ---

NvidiaPStateTweak::NvidiaPStateTweak() : DescribedTweak(kNvidiaPStateInfo) {}

std::vector<BackupKey> NvidiaPStateTweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const std::wstring& key : nvidiaDisplayKeys()) keys.push_back({kHKLM, key});
  return keys;
}

TweakState NvidiaPStateTweak::queryState() {
  for (const std::wstring& key : nvidiaDisplayKeys()) {
    if (dwordIs(key, L"PowerMizerEnable", 1) && dwordIs(key, L"PerfLevelSrc", 0x3322)) return TweakState::Applied;
  }
  return TweakState::NotApplied;
}

std::wstring NvidiaPStateTweak::compatibilityNote() const {
  return nvidiaDisplayKeys().empty() ? L"NVIDIA GPU не обнаружен." : L"";
}

bool NvidiaPStateTweak::apply() {
  bool any = false;
  for (const std::wstring& key : nvidiaDisplayKeys()) {
    for (const DwordValue& v : kPowerMizerValues) any = regWriteDword(kHKLM, key, v.name, v.value) || any;
  }
  return any;
}

TweakChanges NvidiaPStateTweak::changes() {
  TweakChanges list;
  for (const std::wstring& key : nvidiaDisplayKeys()) {
    for (const DwordValue& v : kPowerMizerValues)
      list.push_back(registryChange(kHKLM, key, v.name, RegValueImage::dword(v.value), RegValueImage::absent()));
  }
  return list;
}

bool NvidiaPStateTweak::revert() {
  bool all = true;
  for (const std::wstring& key : nvidiaDisplayKeys()) {
    for (const DwordValue& v : kPowerMizerValues) all = regDeleteValue(kHKLM, key, v.name) && all;
  }
  return all;
}

// --- Resizable BAR check ---

ReBarStatusTweak::ReBarStatusTweak() : DescribedTweak(kReBarInfo) {}

TweakState ReBarStatusTweak::queryState() {
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    if (dwordIs(adapter.keyPath, L"ReBarSupport", 1)) return TweakState::Applied;
  }
  return TweakState::NotApplied;
}

bool ReBarStatusTweak::apply() { return false; }
bool ReBarStatusTweak::revert() { return false; }

// --- group ---

void appendLatencyGroup(TweakCatalog& catalog) {
  static constexpr GroupRow kRows[] = {
      {.make = makeTweak<UsbPowerSaveTweak>}, {.make = makeTweak<BcdHpetTweak>},
      {&kFsoRow},                            {&kShaderCacheRow},
      {.make = makeTweak<NvidiaPStateTweak>}, {.make = makeTweak<ReBarStatusTweak>},
      {&kSystemCacheRow},                    {&kDynamicPriorityRow},
      {&kHagsRow},                           {.make = makeTweak<HpetDisableTweak>},
      {.make = makeTweak<DismCleanupTweak>},
  };
  appendRows(catalog, kRows);
}

}  // namespace vx
