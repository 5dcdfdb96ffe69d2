#include "tweaks/extended_tweaks.h"

#include <optional>

#include "platform/system.h"
#include "core/group_rows.h"
#include "tweaks/group_builders.h"

namespace vx {

namespace {

constexpr RegRoot kHKLM = RegRoot::LocalMachine;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;
constexpr const wchar_t* kGamesTaskKey =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile\\Tasks\\Games";
constexpr const wchar_t* kPowerThrottlingKey = L"SYSTEM\\CurrentControlSet\\Control\\Power\\PowerThrottling";
constexpr const wchar_t* kGraphicsDriversKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
constexpr const wchar_t* kSearchPolicyKey = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search";
constexpr const wchar_t* kUserSearchKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Search";
constexpr const wchar_t* kReserveManagerKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ReserveManager";

// --- descriptions, in group order ---

constexpr TweakInfo kMmcssInfo{
    .id = L"pro.mmcss_gaming",
    .title = L"MMCSS: профиль Games (приоритет AV-потоков)",
    .description = L"Multimedia Class Scheduler — повышает приоритет аудио/видео threads игр. GPU Priority=8, "
                   L"Priority=6, Scheduling Category=High. Снижает вероятность звукового заикания.",
    .backup = {{{kHKLM, kGamesTaskKey}}},
};

constexpr TweakInfo kPowerThrottlingInfo{
    .id = L"pro.no_throttle",
    .title = L"Отключить Power Throttling (Win10+)",
    .description = L"Полностью выключает энергосбережение для всех процессов. На десктопах не имеет минусов, на "
                   L"ноутбуках сильно сократит автономную работу.",
    .aggressive = true,
    .warning = L"На ноутбуке заметно сокращает время работы от батареи. На десктопе абсолютно безопасно.",
    .requirement = Requirement::Windows10,
    .backup = {{{kHKLM, kPowerThrottlingKey}}},
};

constexpr TweakInfo kTdrInfo{
    .id = L"pro.gpu_tdr",
    .title = L"Увеличить GPU TDR Delay до 60 секунд",
    .description = L"Windows ресетит драйвер GPU если он не отвечает 2 секунды (TDR). При тяжёлых играх / "
                   L"шейдер-компиляции иногда GPU «замирает» дольше — это вызывает синий экран или вылет. Увеличиваем "
                   L"до 60 сек.",
    .aggressive = true,
    .warning = L"Если GPU действительно зависнет — система не отреагирует 60 сек. Обычно это не страшно (получишь "
               L"полный фриз вместо чёрного экрана), но это меняет поведение защитного механизма ядра.",
    .needsReboot = true,
    .backup = {{{kHKLM, kGraphicsDriversKey}}},
};

constexpr TweakInfo kCortanaInfo{
    .id = L"pro.no_cortana",
    .title = L"Отключить Cortana и поиск в облаке",
    .description = L"AllowCortana=0, BingSearchEnabled=0, CortanaConsent=0. Уменьшает фоновый трафик и нагрузку на CPU "
                   L"при использовании Win Search.",
    .backup = {{{kHKLM, kSearchPolicyKey}, {kHKCU, kUserSearchKey}}},
};

constexpr TweakInfo kMemCompressionInfo{
    .id = L"pro.no_memcomp",
    .title = L"Отключить Memory Compression (Win10+)",
    .description = L"Memory Compression жмёт страницы памяти CPU-циклами. На системах с 16+ ГБ ОЗУ это бессмысленный "
                   L"CPU-tax. Применяется через PowerShell. Маркер пишется в HKLM\\SOFTWARE\\Vantorix.",
    .aggressive = true,
    .warning = L"Снижает эффективность работы при малой ОЗУ (< 8 ГБ). На системах с большим объёмом памяти безопасно.",
    .requirement = Requirement::Memory8GiB,
    .backup = {{{kHKLM, kMarkerKey}}},
};

constexpr TweakInfo kTcpAutotuneInfo{
    .id = L"pro.tcp_autotune",
    .title = L"TCP: AutoTuning Level = normal",
    .description = L"Включает динамическое расширение TCP receive window для высокоскоростных соединений. Применяется "
                   L"через netsh. Без него на 1Гбит+ throughput режется.",
    .backup = {{{kHKLM, kMarkerKey}}},
};

constexpr TweakInfo kReservedStorageInfo{
    .id = L"pro.no_reserved_storage",
    .title = L"Освободить Reserved Storage (Win10+)",
    .description = L"Windows резервирует 7-10 ГБ под обновления. Если ты всегда вручную чистишь апдейты — этот резерв "
                   L"можно освободить.",
    .aggressive = true,
    .warning = L"После применения крупные обновления Windows могут не установиться без места. Это нормально для тех "
               L"кто следит за свободным местом. На системах с маленькими SSD (<256 ГБ) лучше не отключать.",
    .backup = {{{kHKLM, kReserveManagerKey}}},
};

// --- registry settings ---

// Revert returns the Games task to the Windows defaults; "Background Only" stays as it is.
constexpr RegSetting kMmcssSettings[] = {
    {kHKLM, kGamesTaskKey, L"GPU Priority", dwordData(8), revertTo(dwordData(8)), kCheckEquals},
    {kHKLM, kGamesTaskKey, L"Priority", dwordData(6), revertTo(dwordData(2)), kCheckEquals},
    {kHKLM, kGamesTaskKey, L"Scheduling Category", textData(L"High"), revertTo(textData(L"Medium")), kNoCheck},
    {kHKLM, kGamesTaskKey, L"SFIO Priority", textData(L"High"), revertTo(textData(L"Normal")), kNoCheck},
    // Windows keeps this flag of a task as the text "True"/"False".
    {kHKLM, kGamesTaskKey, L"Background Only", textData(L"False"), kRevertKeep, kNoCheck},
};

constexpr RegSetting kPowerThrottlingSettings[] = {
    {kHKLM, kPowerThrottlingKey, L"PowerThrottlingOff", dwordData(1), kRevertDelete, kCheckEquals},
};

// Seconds; anything from 30 up counts as already raised.
constexpr RegSetting kTdrSettings[] = {
    {kHKLM, kGraphicsDriversKey, L"TdrDelay", dwordData(60), kRevertDelete, checkAtLeast(30)},
    {kHKLM, kGraphicsDriversKey, L"TdrDdiDelay", dwordData(60), kRevertDelete, kNoCheck},
};

constexpr RegSetting kCortanaSettings[] = {
    {kHKLM, kSearchPolicyKey, L"AllowCortana", dwordData(0), kRevertDelete, kCheckEquals},
    {kHKLM, kSearchPolicyKey, L"DisableWebSearch", dwordData(1), kRevertDelete, kNoCheck},
    {kHKCU, kUserSearchKey, L"BingSearchEnabled", dwordData(0), kRevertDelete, kNoCheck},
    {kHKCU, kUserSearchKey, L"CortanaConsent", dwordData(0), kRevertDelete, kNoCheck},
};

constexpr RegSetting kReservedStorageSettings[] = {
    {kHKLM, kReserveManagerKey, L"ShippedWithReserves", dwordData(0), kRevertDelete, kCheckEquals},
    {kHKLM, kReserveManagerKey, L"BaseHardReserveSize", dwordData(0), kRevertDelete, kNoCheck},
    {kHKLM, kReserveManagerKey, L"BaseSoftReserveSize", dwordData(0), kRevertDelete, kNoCheck},
    {kHKLM, kReserveManagerKey, L"HardReserveAdjustment", dwordData(0), kRevertDelete, kNoCheck},
    {kHKLM, kReserveManagerKey, L"MinDiskSize", dwordData(0), kRevertDelete, kNoCheck},
};

// --- commands run from the system directory ---

constexpr ToolStep kMemCompressionSteps[] = {
    {L"-NoProfile -Command Disable-MMAgent -mc", L"-NoProfile -Command Enable-MMAgent -mc"}};
constexpr ToolSteps kMemCompression{L"WindowsPowerShell\\v1.0\\powershell.exe", kMemCompressionSteps, 15000,
                                    RevertNeeds::StepsStarted};

// "normal" is Windows' own default; switching auto-tuning off would cap the download speed of
// every connection with some latency, so revert leaves the level alone.
constexpr ToolStep kAutotuneSteps[] = {{L"int tcp set global autotuninglevel=normal", L""}};
constexpr ToolSteps kAutotune{L"netsh.exe", kAutotuneSteps, 5000};

}  // namespace

constexpr RegistryRow kMmcssRow{kMmcssInfo, kMmcssSettings};
constexpr RegistryRow kPowerThrottlingRow{kPowerThrottlingInfo, kPowerThrottlingSettings};
constexpr RegistryRow kTdrRow{kTdrInfo, kTdrSettings};
constexpr RegistryRow kCortanaRow{kCortanaInfo, kCortanaSettings};
constexpr MarkerRow kMemCompressionRow{kMemCompressionInfo, L"MemCompressionDisabled", kMemCompression};
constexpr MarkerRow kTcpAutotuneRow{kTcpAutotuneInfo, L"TcpAutotuneApplied", kAutotune};
constexpr RegistryRow kReservedStorageRow{kReservedStorageInfo, kReservedStorageSettings};

// --- group ---

void appendExtendedGroup(TweakCatalog& catalog) {
  static constexpr GroupRow kRows[] = {
      {&kMmcssRow},   {&kPowerThrottlingRow}, {&kTdrRow}, {&kCortanaRow}, {.make = makeTweak<DisableMemoryCompressionTweak>},
      {.make = makeTweak<TcpReceiveAutotuneTweak>}, {&kReservedStorageRow},
  };
  appendRows(catalog, kRows);
}

}  // namespace vx
