#include "core/core_rows.h"

#include <memory>
#include <vector>

#include "core/power_plan_tweak.h"
#include "core/reg_dword_tweak.h"
#include "core/service_tweak.h"
#include "platform/services.h"

namespace vx {

namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr bool kDeleteOnRevert = true;

// One core tweak. A row naming a service becomes a ServiceTweak (disabled when applied, automatic
// when reverted); a row with one registry value a RegDwordTweak; a row with several values a
// CompositeRegTweak whose entries keep the listed order. The rules apply to a single value.
struct CoreRow {
  const wchar_t* id;
  const wchar_t* title;
  const wchar_t* description;
  TweakCategory category;
  std::vector<RegValueEntry> values;
  const wchar_t* service = nullptr;
  RegRowRules rules = {};
};

const wchar_t* const kMultimediaProfile = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
const wchar_t* const kTcpipParameters = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const wchar_t* const kExplorerAdvanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const wchar_t* const kFileSystem = L"SYSTEM\\CurrentControlSet\\Control\\FileSystem";
const wchar_t* const kKernel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";

// Windows 11 honours GlobalTimerResolutionRequests (read at boot) and lets a timer request of one
// process raise the resolution for all of them again; Windows 10 has no such value.
constexpr RegRowRules kWindows11AfterReboot{true, 22000, L"Только для Windows 11"};

// Placed after the game groups.
const std::vector<CoreRow>& systemRows() {
  static const std::vector<CoreRow> rows = {
      {L"perf.priorityseparation", L"Приоритет приложений переднего плана",
       L"Устанавливает Win32PrioritySeparation в значение, оптимальное для отзывчивости активных окон (короткие "
       L"кванты, переменный квант, тройной приоритет).",
       TweakCategory::Performance,
       {{HKLM, L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeparation", 0x26, 2}}},
      {L"perf.visualfx", L"Визуальные эффекты: производительность",
       L"Отключает анимации, тени, плавную прокрутку (HKCU\\...\\VisualEffects\\VisualFXSetting=2). Откат "
       L"возвращает оптимальный режим (0).",
       TweakCategory::Performance,
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects", L"VisualFXSetting", 2, 0}}},
      {L"perf.sysmain", L"Отключить SysMain (Superfetch)",
       L"Отключает службу SysMain. На SSD службе обычно не нужна; даёт меньше фоновых обращений к диску.",
       TweakCategory::Performance, {}, L"SysMain"},
      {L"perf.global_timer", L"Глобальный таймер 0.5 мс",
       L"Windows 11 снова применяет запрос таймера 0.5 мс от движка Vantorix ко всем процессам, в том числе к игре "
       L"(GlobalTimerResolutionRequests). Нужен для игрового движка на Windows 11; действует после перезагрузки.",
       TweakCategory::Performance,
       {{HKLM, kKernel, L"GlobalTimerResolutionRequests", 1, 0, kDeleteOnRevert}},
       nullptr,
       kWindows11AfterReboot},
      {L"system.spooler", L"Отключить службу печати (если не нужна)",
       L"Отключает службу диспетчера печати (Spooler). Если нет принтера — снижает поверхность атаки и фоновые "
       L"задачи.",
       TweakCategory::System, {}, L"Spooler"},
      {L"game.disable_gamedvr", L"Отключить Game DVR и Game Bar",
       L"Отключает фоновую запись игр и Xbox Game Bar — уменьшает CPU/диск во время игр.", TweakCategory::Games,
       {{HKCU, L"System\\GameConfigStore", L"GameDVR_Enabled", 0, 1},
        {HKCU, L"System\\GameConfigStore", L"GameDVR_FSEBehaviorMode", 2, 0},
        {HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR", L"AllowGameDVR", 0, 0, kDeleteOnRevert},
        {HKCU, L"Software\\Microsoft\\GameBar", L"UseNexusForGameBarEnabled", 0, 1}}},
      {L"game.hwsch", L"Аппаратное ускорение планирования GPU",
       L"Включает HwSchMode=2 (требуется поддержка драйвера и перезагрузка). Откат возвращает 1.",
       TweakCategory::Games, {{HKLM, L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers", L"HwSchMode", 2, 1}}},
      {L"game.gamemode", L"Включить игровой режим",
       L"Включает Windows Game Mode: AllowAutoGameMode=1, AutoGameModeEnabled=1.", TweakCategory::Games,
       {{HKCU, L"Software\\Microsoft\\GameBar", L"AllowAutoGameMode", 1, 0}}},
      {L"priv.telemetry", L"Отключить телеметрию",
       L"Уменьшает уровень телеметрии до Security/Basic и отключает CompatTelemetryRunner и Customer Experience "
       L"Improvement Program.",
       TweakCategory::Privacy,
       {{HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", L"AllowTelemetry", 0, 0, kDeleteOnRevert},
        {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\DataCollection", L"AllowTelemetry", 0, 0,
         kDeleteOnRevert},
        {HKLM, L"SOFTWARE\\Policies\\Microsoft\\SQMClient\\Windows", L"CEIPEnable", 0, 1}}},
      {L"priv.diagtrack", L"Отключить службу DiagTrack",
       L"Отключает Connected User Experiences and Telemetry (DiagTrack).", TweakCategory::Privacy, {},
       L"DiagTrack"},
      {L"priv.advertising_id", L"Отключить рекламный идентификатор",
       L"Отключает Advertising ID, используемый для персонализации рекламы.", TweakCategory::Privacy,
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", L"Enabled", 0, 1}}},
  };
  return rows;
}

// Placed after the network adapter group.
const std::vector<CoreRow>& networkAndShellRows() {
  static const std::vector<CoreRow> rows = {
      {L"net.no_throttling", L"Отключить сетевой троттлинг",
       L"Отключает мультимедийный сетевой троттлинг (NetworkThrottlingIndex=FFFFFFFF). Полезно для онлайн-игр.",
       TweakCategory::Network, {{HKLM, kMultimediaProfile, L"NetworkThrottlingIndex", 0xFFFFFFFF, 10}}},
      {L"net.system_responsiveness", L"Системная отзывчивость для мультимедиа",
       L"Уменьшает резерв CPU для непрофильных задач (SystemResponsiveness=0). Полезно для аудио/видео и игр.",
       TweakCategory::Network, {{HKLM, kMultimediaProfile, L"SystemResponsiveness", 0, 20}}},
      {L"net.tcp_nodelay", L"TCP: уменьшить задержки (NoDelay)",
       L"Уменьшает задержку Nagle/Delayed ACK для всех сетевых интерфейсов (общие политики Tcpip\\Parameters).",
       TweakCategory::Network,
       {{HKLM, kTcpipParameters, L"TCPNoDelay", 1, 0, kDeleteOnRevert},
        {HKLM, kTcpipParameters, L"TcpAckFrequency", 1, 0, kDeleteOnRevert}}},
      {L"system.mouse_accel", L"Отключить ускорение мыши",
       L"Полностью отключает Enhance Pointer Precision. Для FPS-игр обычно желательно.", TweakCategory::System,
       // Windows reads these as text; DWORDs there would be ignored.
       {textEntry(HKCU, L"Control Panel\\Mouse", L"MouseSpeed", L"0", L"1"),
        textEntry(HKCU, L"Control Panel\\Mouse", L"MouseThreshold1", L"0", L"6"),
        textEntry(HKCU, L"Control Panel\\Mouse", L"MouseThreshold2", L"0", L"10")}},
      {L"system.ntfs_lastaccess", L"NTFS: отключить обновление времени последнего доступа",
       L"Уменьшает запись на диск, отключая обновление last access time для NTFS (NtfsDisableLastAccessUpdate=1).",
       TweakCategory::System, {{HKLM, kFileSystem, L"NtfsDisableLastAccessUpdate", 1, 0}}},
      {L"system.long_paths", L"Включить длинные пути (>260 символов)",
       L"Включает поддержку путей длиной более 260 символов на уровне Win32 API.", TweakCategory::System,
       {{HKLM, kFileSystem, L"LongPathsEnabled", 1, 0}}},
      {L"system.show_ext", L"Показывать расширения файлов",
       L"Включает отображение расширений известных файлов в Проводнике.", TweakCategory::System,
       {{HKCU, kExplorerAdvanced, L"HideFileExt", 0, 1}}},
      {L"cleanup.clear_recent", L"Очищать список недавних документов при выходе",
       L"Удаляет историю недавно открытых файлов при завершении сеанса (ClearRecentDocsOnExit=1).",
       TweakCategory::Cleanup,
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"ClearRecentDocsOnExit", 1, 0,
         kDeleteOnRevert}}},
      {L"cleanup.no_recent_jumplist", L"Не показывать недавние файлы в Jump Lists",
       L"Скрывает недавние документы в списках перехода и в Проводнике.", TweakCategory::Cleanup,
       {{HKCU, kExplorerAdvanced, L"Start_TrackDocs", 0, 1}}},
  };
  return rows;
}

TweakPtr makeTweak(const CoreRow& row) {
  if (row.service)
    return std::make_shared<ServiceTweak>(row.id, row.title, row.description, row.category, row.service,
                                          kServiceDisabled, kServiceAutoStart);
  if (row.values.size() == 1) {
    const RegValueEntry& v = row.values.front();
    return std::make_shared<RegDwordTweak>(row.id, row.title, row.description, row.category, v.root, v.subkey,
                                           v.valueName, v.appliedValue, v.revertValue, v.deleteOnRevert, row.rules);
  }
  return std::make_shared<CompositeRegTweak>(row.id, row.title, row.description, row.category, row.values);
}

void appendRows(TweakCatalog& catalog, const std::vector<CoreRow>& rows) {
  for (const auto& row : rows) catalog.push_back(makeTweak(row));
}

}  // namespace

void appendPowerPlanRow(TweakCatalog& catalog) {
  catalog.push_back(std::make_shared<HighPerformancePlanTweak>());
}

void appendSystemRows(TweakCatalog& catalog) { appendRows(catalog, systemRows()); }

void appendNetworkAndShellRows(TweakCatalog& catalog) { appendRows(catalog, networkAndShellRows()); }

}  // namespace vx
