#include "cli/self_test.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "core/program_folder.h"
#include "core/safety_net.h"
#include "hw/display_adapters.h"
#include "hw/hardware_profile.h"
#include "hw/network_adapters.h"
#include "platform/com.h"
#include "platform/files.h"
#include "platform/folder_security.h"
#include "platform/performance.h"
#include "platform/power.h"
#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/restore_point.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/system_tool.h"
#include "services/timer_reach.h"

namespace vx::cli {

namespace {

struct Outcome {
  CheckResult result;
  std::wstring detail;
};

Outcome pass(std::wstring detail) { return {CheckResult::Pass, std::move(detail)}; }
Outcome fail(std::wstring detail) { return {CheckResult::Fail, std::move(detail)}; }
Outcome notApplicable(std::wstring detail) { return {CheckResult::NotApplicable, std::move(detail)}; }

Outcome checkWindows(const SelfTestOptions&) {
  const WindowsVersion v = getWindowsVersion();
  const std::wstring number = std::to_wstring(v.major) + L"." + std::to_wstring(v.minor) + L"." + std::to_wstring(v.build);
  const std::wstring name = detectHardware().windowsName;
  if (v.build == 0) return fail(L"версия не читается (RtlGetVersion)");
  return pass((name.empty() ? L"без ProductName" : name) + L", " + number);
}

Outcome checkElevated(const SelfTestOptions&) {
  return processIsElevated() ? pass(L"да") : fail(L"нет: запустите от имени администратора");
}

Outcome checkPrivilege(Privilege privilege) {
  if (!processIsElevated()) return notApplicable(L"только с правами администратора");
  return enablePrivilege(privilege) ? pass(L"включается") : fail(L"не включается (ERROR_NOT_ALL_ASSIGNED)");
}

Outcome checkProfilePrivilege(const SelfTestOptions&) { return checkPrivilege(Privilege::ProfileSingleProcess); }
Outcome checkOwnershipPrivilege(const SelfTestOptions&) { return checkPrivilege(Privilege::TakeOwnership); }

Outcome checkCom(const SelfTestOptions&) {
  // vxctl set COM up before the verb ran; a later call answers what that one did.
  return initialiseProcessCom(ComModel::MultiThreaded)
             ? pass(L"CoInitializeEx и CoInitializeSecurity выполнены")
             : fail(L"CoInitializeEx или CoInitializeSecurity не выполнен");
}

Outcome checkSystemRestore(const SelfTestOptions& options) {
  if (!restorePointLibraryPresent()) return fail(L"SrClient.dll не загружается");
  if (!options.createRestorePoint) return pass(L"SrClient.dll загружается; точка не создавалась (--restore-point)");
  return createRestorePoint(L"Vantorix: самопроверка") ? pass(L"SrClient.dll загружается; точка создана")
                                                        : fail(L"SrClient.dll загружается, но точка не создана");
}

Outcome checkGpuCounter(const SelfTestOptions&) {
  GpuEngineCounter counter;
  if (!counter.usable()) return fail(L"\\GPU Engine(*)\\Utilization Percentage не добавляется");
  const auto samples = counter.sample();
  if (!samples) return fail(L"добавлен, но не читается");
  return pass(L"добавлен по английскому имени, экземпляров: " + std::to_wstring(samples->size()));
}

Outcome checkPowerSchemes(const SelfTestOptions&) {
  const auto schemes = powerSchemes();
  if (!schemes) return fail(L"PowerEnumerate не работает");
  const bool high = std::find(schemes->begin(), schemes->end(), kHighPerformanceScheme) != schemes->end();
  return pass(L"схем: " + std::to_wstring(schemes->size()) +
              (high ? L", «Высокая производительность» есть" : L", «Высокая производительность» нет"));
}

Outcome checkShell(const SelfTestOptions&) {
  if (shellWindow() == 0) return fail(L"окна оболочки нет (Explorer не запущен)");
  if (shellRunsAsAnotherUser()) return fail(L"Explorer работает от имени другого пользователя");
  return pass(L"окно есть, тот же пользователь");
}

// "учтён: A; пропущен: B (причина)" for every adapter of the class key.
Outcome adapterOutcome(const std::vector<AdapterVerdict>& verdicts) {
  if (verdicts.empty()) return fail(L"в ключе класса нет адаптеров");
  std::wstring detail;
  bool anyKept = false;
  for (const AdapterVerdict& v : verdicts) {
    if (!detail.empty()) detail += L"; ";
    const std::wstring name = v.name.empty() ? v.subkey : v.name;
    anyKept = anyKept || v.kept();
    detail += v.kept() ? L"учтён: " + name : L"пропущен: " + name + L" (" + v.leftOutBecause + L")";
  }
  return anyKept ? pass(detail) : fail(detail);
}

Outcome checkDisplayAdapters(const SelfTestOptions&) { return adapterOutcome(displayAdapterVerdicts()); }
Outcome checkNetworkAdapters(const SelfTestOptions&) { return adapterOutcome(networkAdapterVerdicts()); }

Outcome checkGlobalTimer(const SelfTestOptions&) {
  const auto value = regReadDword(RegRoot::LocalMachine, kKernelSettingsKey, kGlobalTimerRequestsValue);
  const std::wstring shown = value ? L"= " + std::to_wstring(*value) : L"не задано";
  switch (timerReach(getWindowsVersion(), value)) {
    case TimerReach::AllProcesses: return pass(shown + L", запрос таймера действует на все процессы");
    case TimerReach::OwnProcessOnly: return notApplicable(shown + L", на Windows 10 не действует");
    case TimerReach::NeedsGlobalTimer: return fail(shown + L", запрос таймера не доходит до игры");
  }
  return fail(shown);
}

// UTF-16LE bytes with the byte-order mark, as reg.exe writes .reg files.
std::string utf16le(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

Outcome exportScratchKey() {
  if (!regWriteDword(RegRoot::CurrentUser, kSelfTestKey, L"Probe", 0x5654)) return fail(L"ключ SelfTest не создаётся");
  const auto temp = tempDirectory();
  if (!temp) return fail(L"нет папки TEMP");
  std::wstring folder = *temp;
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  const std::wstring file = joinPath(folder, L"vantorix-selftest.reg");
  if (!exportKey(folder, RegRoot::CurrentUser, kSelfTestKey, L"vantorix-selftest")) {
    removeFile(file);
    return fail(L"reg.exe export не выполнен");
  }
  const auto bytes = readFileBytes(file);
  removeFile(file);
  const std::wstring header = L"[HKEY_CURRENT_USER\\" + std::wstring(kSelfTestKey) + L"]";
  if (!bytes || !bytes->starts_with("\xFF\xFE") || bytes->find(utf16le(header)) == std::string::npos)
    return fail(L"файл экспорта без раздела ключа");
  return pass(L"файл UTF-16LE с разделом ключа");
}

Outcome checkRegExport(const SelfTestOptions&) {
  // Software\Vantorix is removed as well when the check created it.
  const std::wstring parent = L"Software\\Vantorix";
  const bool parentExisted = !regKeyAbsent(RegRoot::CurrentUser, parent);
  Outcome outcome = exportScratchKey();
  const bool removed = regDeleteKeyTree(RegRoot::CurrentUser, parentExisted ? kSelfTestKey : parent);
  if (!removed) return fail(outcome.detail + L"; ключ SelfTest не удалён");
  return outcome;
}

Outcome checkProgramFolder(const SelfTestOptions&) {
  const auto path = programFolderPath();
  if (!path) return fail(L"папка ProgramData не найдена");
  const auto security = folderSecurity(*path);
  if (!security) return fail(*path + L" нет");
  const std::wstring owner = L"владелец " + (security->owner.empty() ? L"?" : security->owner);
  const std::wstring writers = security->usersMayWrite ? L", пользователи могут писать" : L", пользователи не пишут";
  return security->ownerIsAdministrators && !security->usersMayWrite ? pass(owner + writers) : fail(owner + writers);
}

std::wstring toolStart(const wchar_t* tool, const wchar_t* arguments, bool& started) {
  constexpr std::uint32_t kToolTimeoutMs = 15000;
  switch (runSystemTool(tool, arguments, kToolTimeoutMs)) {
    case ChildExit::NotStarted: started = false; return std::wstring(tool) + L" не запускается";
    case ChildExit::StillRunning: return std::wstring(tool) + L" не завершился";
    case ChildExit::ExitedNonZero: return std::wstring(tool) + L" код ≠ 0";
    case ChildExit::ExitedZero: return std::wstring(tool) + L" код 0";
  }
  return tool;
}

Outcome checkTools(const SelfTestOptions&) {
  bool started = true;
  const std::wstring detail = toolStart(L"bcdedit.exe", L"/enum {current}", started) + L", " +
                              toolStart(L"powercfg.exe", L"/list", started);
  return started ? pass(detail) : fail(detail);
}

struct Check {
  const wchar_t* name;
  Outcome (*run)(const SelfTestOptions&);
};

// The order of the printed lines.
constexpr Check kChecks[] = {
    {L"Windows", checkWindows},
    {L"Права администратора", checkElevated},
    {L"SeProfileSingleProcessPrivilege", checkProfilePrivilege},
    {L"SeTakeOwnershipPrivilege", checkOwnershipPrivilege},
    {L"COM для восстановления системы", checkCom},
    {L"Восстановление системы", checkSystemRestore},
    {L"Счётчик GPU", checkGpuCounter},
    {L"Схемы питания", checkPowerSchemes},
    {L"Оболочка", checkShell},
    {L"Видеоадаптеры", checkDisplayAdapters},
    {L"Сетевые адаптеры", checkNetworkAdapters},
    {L"GlobalTimerResolutionRequests", checkGlobalTimer},
    {L"reg.exe export", checkRegExport},
    {L"%ProgramData%\\Vantorix", checkProgramFolder},
    {L"bcdedit.exe и powercfg.exe", checkTools},
};

struct ResultWords {
  CheckResult result;
  const wchar_t* prefix;
  const char* json;
};

constexpr ResultWords kResultWords[] = {
    {CheckResult::Pass, L"✔ ", "pass"},
    {CheckResult::Fail, L"✗ ", "fail"},
    {CheckResult::NotApplicable, L"— ", "na"},
};

const ResultWords& wordsOf(CheckResult result) {
  for (const ResultWords& words : kResultWords)
    if (words.result == result) return words;
  return kResultWords[1];
}

}  // namespace

std::vector<CheckLine> runSelfTest(const SelfTestOptions& options) {
  std::vector<CheckLine> lines;
  for (const Check& check : kChecks) {
    Outcome outcome = check.run(options);
    lines.push_back({check.name, outcome.result, std::move(outcome.detail)});
  }
  return lines;
}

std::wstring selfTestText(const std::vector<CheckLine>& lines) {
  std::wstring text;
  for (const CheckLine& line : lines) text += wordsOf(line.result).prefix + line.name + L": " + line.detail + L"\n";
  return text;
}

std::string selfTestJson(const std::vector<CheckLine>& lines) {
  nlohmann::ordered_json checks = nlohmann::ordered_json::array();
  for (const CheckLine& line : lines)
    checks.push_back({{"name", toUtf8(line.name)}, {"result", wordsOf(line.result).json}, {"detail", toUtf8(line.detail)}});
  return nlohmann::ordered_json{{"checks", checks}}.dump(2) + "\n";
}

int selfTestExitCode(const std::vector<CheckLine>& lines) {
  return std::any_of(lines.begin(), lines.end(), [](const CheckLine& l) { return l.result == CheckResult::Fail; })
             ? 1
             : 0;
}

}  // namespace vx::cli
