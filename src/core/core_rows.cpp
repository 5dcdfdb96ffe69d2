#include "core/core_rows.h"

#include "core/group_rows.h"
#include "core/power_plan_tweak.h"

namespace vx {

namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;

const wchar_t* const kMultimediaProfile = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
const wchar_t* const kTcpipParameters = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const wchar_t* const kExplorerAdvanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const wchar_t* const kFileSystem = L"SYSTEM\\CurrentControlSet\\Control\\FileSystem";
const wchar_t* const kKernel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";
const wchar_t* const kGameConfigStore = L"System\\GameConfigStore";
const wchar_t* const kGameBar = L"Software\\Microsoft\\GameBar";
const wchar_t* const kMouse = L"Control Panel\\Mouse";

// A core value: every value decides the state (RowState::EveryValue), so each is checked.
constexpr RegSetting dword(RegRoot root, const wchar_t* key, const wchar_t* name, std::uint32_t applied,
                           std::uint32_t revert) {
  return {root, key, name, dwordData(applied), revertTo(dwordData(revert)), kCheckEquals};
}
constexpr RegSetting dwordDeleted(RegRoot root, const wchar_t* key, const wchar_t* name, std::uint32_t applied) {
  return {root, key, name, dwordData(applied), kRevertDelete, kCheckEquals};
}
// Windows reads these as text; DWORDs there would be ignored.
constexpr RegSetting text(RegRoot root, const wchar_t* key, const wchar_t* name, const wchar_t* applied,
                          const wchar_t* revert) {
  return {root, key, name, textData(applied), revertTo(textData(revert)), kCheckEquals};
}

template <std::size_t N>
constexpr RegistryRow coreRow(TweakInfo info, const RegSetting (&values)[N]) {
  return {info, values, RowState::EveryValue};
}

// --- placed after the game groups ---

constexpr RegSetting kPrioritySeparation[] = {
    dword(HKLM, L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeparation", 0x26, 2)};
constexpr RegistryRow kPrioritySeparationRow = coreRow(
    {L"perf.priorityseparation", L"Приоритет приложений переднего плана",
     L"Устанавливает Win32PrioritySeparation в значение, оптимальное для отзывчивости активных окон (короткие "
     L"кванты, переменный квант, тройной приоритет).",
     TweakCategory::Performance},
    kPrioritySeparation);

constexpr RegSetting kVisualFx[] = {
    dword(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects", L"VisualFXSetting", 2, 0)};
constexpr RegistryRow kVisualFxRow = coreRow(
    {L"perf.visualfx", L"Визуальные эффекты: производительность",
     L"Отключает анимации, тени, плавную прокрутку (HKCU\\...\\VisualEffects\\VisualFXSetting=2). Откат "
     L"возвращает оптимальный режим (0).",
     TweakCategory::Performance},
    kVisualFx);

constexpr ServiceRow kSysMainRow{
    {L"perf.sysmain", L"Отключить SysMain (Superfetch)",
     L"Отключает службу SysMain. На SSD службе обычно не нужна; даёт меньше фоновых обращений к диску.",
     TweakCategory::Performance},
    L"SysMain"};

// Windows 11 honours GlobalTimerResolutionRequests (read at boot) and lets a timer request of one
// process raise the resolution for all of them again; Windows 10 has no such value, so below
// Windows 11 the card is unavailable and nothing is written.
constexpr RegSetting kGlobalTimer[] = {dwordDeleted(HKLM, kKernel, L"GlobalTimerResolutionRequests", 1)};
constexpr RegistryRow kGlobalTimerRow = coreRow(
    {.id = L"perf.global_timer",
     .title = L"Глобальный таймер 0.5 мс",
     .description = L"Windows 11 снова применяет запрос таймера 0.5 мс от движка Vantorix ко всем процессам, в том "
                    L"числе к игре (GlobalTimerResolutionRequests). Нужен для игрового движка на Windows 11; "
                    L"действует после перезагрузки.",
     .category = TweakCategory::Performance,
     .needsReboot = true,
     .requirement = Requirement::Windows11},
    kGlobalTimer);

constexpr ServiceRow kSpoolerRow{
    {L"system.spooler", L"Отключить службу печати (если не нужна)",
     L"Отключает службу диспетчера печати (Spooler). Если нет принтера — снижает поверхность атаки и фоновые "
     L"задачи.",
     TweakCategory::System},
    L"Spooler"};

constexpr RegSetting kGameDvr[] = {
    dword(HKCU, kGameConfigStore, L"GameDVR_Enabled", 0, 1),
    dword(HKCU, kGameConfigStore, L"GameDVR_FSEBehaviorMode", 2, 0),
    dwordDeleted(HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR", L"AllowGameDVR", 0),
    dword(HKCU, kGameBar, L"UseNexusForGameBarEnabled", 0, 1),
};
constexpr RegistryRow kGameDvrRow = coreRow(
    {L"game.disable_gamedvr", L"Отключить Game DVR и Game Bar",
     L"Отключает фоновую запись игр и Xbox Game Bar — уменьшает CPU/диск во время игр.", TweakCategory::Games},
    kGameDvr);

constexpr RegSetting kHwSch[] = {dword(HKLM, L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers", L"HwSchMode", 2, 1)};
constexpr RegistryRow kHwSchRow = coreRow(
    {L"game.hwsch", L"Аппаратное ускорение планирования GPU",
     L"Включает HwSchMode=2 (требуется поддержка драйвера и перезагрузка). Откат возвращает 1.", TweakCategory::Games},
    kHwSch);

constexpr RegSetting kGameMode[] = {dword(HKCU, kGameBar, L"AllowAutoGameMode", 1, 0)};
constexpr RegistryRow kGameModeRow = coreRow(
    {L"game.gamemode", L"Включить игровой режим",
     L"Включает Windows Game Mode: AllowAutoGameMode=1, AutoGameModeEnabled=1.", TweakCategory::Games},
    kGameMode);

constexpr RegSetting kTelemetry[] = {
    dwordDeleted(HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", L"AllowTelemetry", 0),
    dwordDeleted(HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\DataCollection", L"AllowTelemetry", 0),
    dword(HKLM, L"SOFTWARE\\Policies\\Microsoft\\SQMClient\\Windows", L"CEIPEnable", 0, 1),
};
constexpr RegistryRow kTelemetryRow = coreRow(
    {L"priv.telemetry", L"Отключить телеметрию",
     L"Уменьшает уровень телеметрии до Security/Basic и отключает CompatTelemetryRunner и Customer Experience "
     L"Improvement Program.",
     TweakCategory::Privacy},
    kTelemetry);

constexpr ServiceRow kDiagTrackRow{{L"priv.diagtrack", L"Отключить службу DiagTrack",
                                    L"Отключает Connected User Experiences and Telemetry (DiagTrack).",
                                    TweakCategory::Privacy},
                                   L"DiagTrack"};

constexpr RegSetting kAdvertisingId[] = {
    dword(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", L"Enabled", 0, 1)};
constexpr RegistryRow kAdvertisingIdRow = coreRow(
    {L"priv.advertising_id", L"Отключить рекламный идентификатор",
     L"Отключает Advertising ID, используемый для персонализации рекламы.", TweakCategory::Privacy},
    kAdvertisingId);

constexpr GroupRow kSystemRows[] = {
    {&kPrioritySeparationRow}, {&kVisualFxRow},  {nullptr, &kSysMainRow},    {&kGlobalTimerRow},
    {nullptr, &kSpoolerRow},   {&kGameDvrRow},   {&kHwSchRow},              {&kGameModeRow},
    {&kTelemetryRow},          {nullptr, &kDiagTrackRow}, {&kAdvertisingIdRow},
};

// --- placed after the network adapter group ---

constexpr RegSetting kNoThrottling[] = {dword(HKLM, kMultimediaProfile, L"NetworkThrottlingIndex", 0xFFFFFFFF, 10)};
constexpr RegistryRow kNoThrottlingRow = coreRow(
    {L"net.no_throttling", L"Отключить сетевой троттлинг",
     L"Отключает мультимедийный сетевой троттлинг (NetworkThrottlingIndex=FFFFFFFF). Полезно для онлайн-игр.",
     TweakCategory::Network},
    kNoThrottling);

constexpr RegSetting kResponsiveness[] = {dword(HKLM, kMultimediaProfile, L"SystemResponsiveness", 0, 20)};
constexpr RegistryRow kResponsivenessRow = coreRow(
    {L"net.system_responsiveness", L"Системная отзывчивость для мультимедиа",
     L"Уменьшает резерв CPU для непрофильных задач (SystemResponsiveness=0). Полезно для аудио/видео и игр.",
     TweakCategory::Network},
    kResponsiveness);

constexpr RegSetting kTcpNoDelay[] = {dwordDeleted(HKLM, kTcpipParameters, L"TCPNoDelay", 1),
                                      dwordDeleted(HKLM, kTcpipParameters, L"TcpAckFrequency", 1)};
constexpr RegistryRow kTcpNoDelayRow = coreRow(
    {L"net.tcp_nodelay", L"TCP: уменьшить задержки (NoDelay)",
     L"Уменьшает задержку Nagle/Delayed ACK для всех сетевых интерфейсов (общие политики Tcpip\\Parameters).",
     TweakCategory::Network},
    kTcpNoDelay);

constexpr RegSetting kMouseAccel[] = {text(HKCU, kMouse, L"MouseSpeed", L"0", L"1"),
                                      text(HKCU, kMouse, L"MouseThreshold1", L"0", L"6"),
                                      text(HKCU, kMouse, L"MouseThreshold2", L"0", L"10")};
constexpr RegistryRow kMouseAccelRow = coreRow(
    {L"system.mouse_accel", L"Отключить ускорение мыши",
     L"Полностью отключает Enhance Pointer Precision. Для FPS-игр обычно желательно.", TweakCategory::System},
    kMouseAccel);

constexpr RegSetting kLastAccess[] = {dword(HKLM, kFileSystem, L"NtfsDisableLastAccessUpdate", 1, 0)};
constexpr RegistryRow kLastAccessRow = coreRow(
    {L"system.ntfs_lastaccess", L"NTFS: отключить обновление времени последнего доступа",
     L"Уменьшает запись на диск, отключая обновление last access time для NTFS (NtfsDisableLastAccessUpdate=1).",
     TweakCategory::System},
    kLastAccess);

constexpr RegSetting kLongPaths[] = {dword(HKLM, kFileSystem, L"LongPathsEnabled", 1, 0)};
constexpr RegistryRow kLongPathsRow = coreRow(
    {L"system.long_paths", L"Включить длинные пути (>260 символов)",
     L"Включает поддержку путей длиной более 260 символов на уровне Win32 API.", TweakCategory::System},
    kLongPaths);

constexpr RegSetting kShowExt[] = {dword(HKCU, kExplorerAdvanced, L"HideFileExt", 0, 1)};
constexpr RegistryRow kShowExtRow = coreRow(
    {L"system.show_ext", L"Показывать расширения файлов",
     L"Включает отображение расширений известных файлов в Проводнике.", TweakCategory::System},
    kShowExt);

constexpr RegSetting kClearRecent[] = {dwordDeleted(
    HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"ClearRecentDocsOnExit", 1)};
constexpr RegistryRow kClearRecentRow = coreRow(
    {L"cleanup.clear_recent", L"Очищать список недавних документов при выходе",
     L"Удаляет историю недавно открытых файлов при завершении сеанса (ClearRecentDocsOnExit=1).",
     TweakCategory::Cleanup},
    kClearRecent);

constexpr RegSetting kNoRecentJumpList[] = {dword(HKCU, kExplorerAdvanced, L"Start_TrackDocs", 0, 1)};
constexpr RegistryRow kNoRecentJumpListRow = coreRow(
    {L"cleanup.no_recent_jumplist", L"Не показывать недавние файлы в Jump Lists",
     L"Скрывает недавние документы в списках перехода и в Проводнике.", TweakCategory::Cleanup},
    kNoRecentJumpList);

constexpr GroupRow kNetworkAndShellRows[] = {
    {&kNoThrottlingRow}, {&kResponsivenessRow}, {&kTcpNoDelayRow}, {&kMouseAccelRow},        {&kLastAccessRow},
    {&kLongPathsRow},    {&kShowExtRow},        {&kClearRecentRow}, {&kNoRecentJumpListRow},
};

}  // namespace

void appendPowerPlanRow(TweakCatalog& catalog) {
  catalog.push_back(std::make_shared<HighPerformancePlanTweak>());
}

void appendSystemRows(TweakCatalog& catalog) { appendRows(catalog, kSystemRows); }

void appendNetworkAndShellRows(TweakCatalog& catalog) { appendRows(catalog, kNetworkAndShellRows); }

}  // namespace vx
