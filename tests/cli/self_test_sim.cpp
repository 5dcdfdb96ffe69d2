// vxctl selftest on simulated machines: a healthy PC passes every check that applies, and each
// scene below (not elevated, a privilege missing, no shell, another user's shell, no High
// performance, a Basic Display adapter next to a GPU, ...) turns exactly the check it concerns.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>

#include "base/text.h"
#include "cli/self_test.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "support/hardware_scenarios.h"
#include "support/network_scenarios.h"
#include "support/sim_test.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using cli::CheckLine;
using cli::CheckResult;

constexpr const wchar_t* kOrder[] = {
    L"Windows", L"Права администратора", L"SeProfileSingleProcessPrivilege", L"SeTakeOwnershipPrivilege",
    L"COM для восстановления системы", L"Восстановление системы", L"Счётчик GPU", L"Схемы питания", L"Оболочка",
    L"Видеоадаптеры", L"Сетевые адаптеры", L"GlobalTimerResolutionRequests", L"reg.exe export",
    L"%ProgramData%\\Vantorix", L"bcdedit.exe и powercfg.exe",
};

const std::wstring kProgramFolder = L"C:\\ProgramData\\Vantorix";

// A PC on which everything the program relies on is there: Windows' tools, a shell of this user,
// the GPU counter, an RTX 3070 and an Intel NIC, the private program folder.
void buildHealthyPc(sim::Machine& m) {
  test::installSystemTools(m);
  test::installBcdedit(m);
  m.addProgram(systemDirectory().value() + L"\\powercfg.exe", 0);
  m.setShell({.window = true});
  m.setGpuEngines(std::vector<GpuEngineSample>{{L"pid_4_luid_0x00000000_0x0000D1A2_phys_0_eng_0_engtype_3D", 3.0}});
  test::addRtx3070(m);
  test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Connection (7) I219-V",
                          L"{11111111-2222-3333-4444-555555555555}", test::kNcfPhysical);
  ASSERT_TRUE(ensurePrivateFolder(kProgramFolder));
}

const CheckLine& lineNamed(const std::vector<CheckLine>& lines, const std::wstring& name) {
  const auto it = std::find_if(lines.begin(), lines.end(), [&](const CheckLine& l) { return l.name == name; });
  EXPECT_NE(it, lines.end()) << toUtf8(name);
  return it == lines.end() ? lines.front() : *it;
}

class SelfTestSim : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    buildHealthyPc(machine);
  }
};

TEST_F(SelfTestSim, AHealthyPcPassesEveryCheckThatAppliesInTheFixedOrder) {
  const auto lines = cli::runSelfTest({});
  ASSERT_EQ(lines.size(), std::size(kOrder));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].name, kOrder[i]);
    // Windows 10 22H2 keeps timer requests per process whatever the value says.
    const CheckResult expected = i == 11 ? CheckResult::NotApplicable : CheckResult::Pass;
    EXPECT_EQ(lines[i].result, expected) << toUtf8(lines[i].name) << ": " << toUtf8(lines[i].detail);
  }
  EXPECT_EQ(cli::selfTestExitCode(lines), 0);
  EXPECT_EQ(lineNamed(lines, L"Windows").detail, L"Windows 10 Pro 22H2, 10.0.19045");
  EXPECT_EQ(lineNamed(lines, L"Счётчик GPU").detail, L"добавлен по английскому имени, экземпляров: 1");
  EXPECT_TRUE(machine.restorePoints().empty()) << "a point only with --restore-point";
}

struct Scene {
  const char* label;
  std::function<void(sim::Machine&)> build;
  const wchar_t* check;
  CheckResult result;
  const wchar_t* detail;
  int exitCode;  // of the whole run
};

void addBasicDisplay(sim::Machine& m, const std::wstring& subkey) {
  const std::wstring key = test::addDisplayAdapter(m, subkey, L"Базовый видеоадаптер (Майкрософт)");
  test::setDisplayDriverSource(m, key, L"Microsoft", L"display.inf");
}

void setKernelTimerValue(sim::Machine& m, std::uint32_t value) {
  m.setDword(RegRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel",
             L"GlobalTimerResolutionRequests", value);
}

const Scene kScenes[] = {
    {"not elevated", [](sim::Machine& m) { m.setElevated(false); }, L"Права администратора", CheckResult::Fail,
     L"нет: запустите от имени администратора", 1},
    {"not elevated: privileges do not apply", [](sim::Machine& m) { m.setElevated(false); },
     L"SeTakeOwnershipPrivilege", CheckResult::NotApplicable, L"только с правами администратора", 1},
    {"no profile privilege", [](sim::Machine& m) { m.withholdPrivilege(Privilege::ProfileSingleProcess); },
     L"SeProfileSingleProcessPrivilege", CheckResult::Fail, L"не включается (ERROR_NOT_ALL_ASSIGNED)", 1},
    {"no shell", [](sim::Machine& m) { m.setShell({}); }, L"Оболочка", CheckResult::Fail,
     L"окна оболочки нет (Explorer не запущен)", 1},
    {"two users", [](sim::Machine& m) { m.setShell({.window = true, .otherUser = true}); }, L"Оболочка",
     CheckResult::Fail, L"Explorer работает от имени другого пользователя", 1},
    {"no High performance", [](sim::Machine& m) { m.setPowerSchemes(std::vector<Guid>{kBalancedScheme}); },
     L"Схемы питания", CheckResult::Pass, L"схем: 1, «Высокая производительность» нет", 0},
    {"Basic Display next to a GPU", [](sim::Machine& m) { addBasicDisplay(m, L"0001"); }, L"Видеоадаптеры",
     CheckResult::Pass,
     L"учтён: NVIDIA GeForce RTX 3070; пропущен: Базовый видеоадаптер (Майкрософт) (драйвер Microsoft "
     L"(ProviderName / InfPath))", 0},
    {"only Basic Display",
     [](sim::Machine& m) {
       test::clearDisplayAdapters(m);
       addBasicDisplay(m, L"0000");
     },
     L"Видеоадаптеры", CheckResult::Fail,
     L"пропущен: Базовый видеоадаптер (Майкрософт) (драйвер Microsoft (ProviderName / InfPath))", 1},
    {"WAN miniport next to the NIC",
     [](sim::Machine& m) {
       test::addNetworkAdapter(m, L"0002", L"Минипорт WAN (PPTP)", L"{22222222-2222-3333-4444-555555555555}",
                               test::kNcfVirtual);
     },
     L"Сетевые адаптеры", CheckResult::Pass,
     L"учтён: Intel(R) Ethernet Connection (7) I219-V; пропущен: Минипорт WAN (PPTP) (не физический по "
     L"Characteristics)", 0},
    {"no GPU counter", [](sim::Machine& m) { m.setGpuEngines(std::nullopt); }, L"Счётчик GPU", CheckResult::Fail,
     L"\\GPU Engine(*)\\Utilization Percentage не добавляется", 1},
    {"no SrClient.dll", [](sim::Machine& m) { m.setRestoreLibraryPresent(false); }, L"Восстановление системы",
     CheckResult::Fail, L"SrClient.dll не загружается", 1},
    {"Windows 11 without the timer value", [](sim::Machine& m) { m.setWindowsVersion({10, 0, 22631}); },
     L"GlobalTimerResolutionRequests", CheckResult::Fail, L"не задано, запрос таймера не доходит до игры", 1},
    {"Windows 11 with the timer value",
     [](sim::Machine& m) {
       m.setWindowsVersion({10, 0, 22631});
       setKernelTimerValue(m, 1);
     },
     L"GlobalTimerResolutionRequests", CheckResult::Pass, L"= 1, запрос таймера действует на все процессы", 0},
    {"reg.exe missing", [](sim::Machine& m) { m.removeProgram(test::simRegExePath()); }, L"reg.exe export",
     CheckResult::Fail, L"reg.exe export не выполнен", 1},
    {"program folder made by a user",
     [](sim::Machine& m) { m.setFileSecurity(kProgramFolder, L"VX-DESKTOP\\Player", true); },
     L"%ProgramData%\\Vantorix", CheckResult::Fail, L"владелец VX-DESKTOP\\Player, пользователи могут писать", 1},
    {"program folder missing", [](sim::Machine&) { removeEmptyDirectory(kProgramFolder); },
     L"%ProgramData%\\Vantorix", CheckResult::Fail, L"C:\\ProgramData\\Vantorix нет", 1},
    {"no bcdedit (as under Wine)",
     [](sim::Machine& m) { m.removeProgram(systemDirectory().value() + L"\\bcdedit.exe"); },
     L"bcdedit.exe и powercfg.exe", CheckResult::Fail, L"bcdedit.exe не запускается, powercfg.exe код 0", 1},
};

TEST_F(SelfTestSim, EachSceneTurnsTheCheckItConcernsAndTheExitCode) {
  for (const Scene& scene : kScenes) {
    SCOPED_TRACE(scene.label);
    machine.reset();
    buildHealthyPc(machine);
    scene.build(machine);
    const auto lines = cli::runSelfTest({});
    const CheckLine& line = lineNamed(lines, scene.check);
    EXPECT_EQ(line.result, scene.result);
    EXPECT_EQ(line.detail, scene.detail);
    EXPECT_EQ(cli::selfTestExitCode(lines), scene.exitCode);
  }
}

TEST_F(SelfTestSim, TheScratchKeyIsGoneAfterwardsAndWhatWasThereStays) {
  cli::runSelfTest({});
  EXPECT_TRUE(regKeyAbsent(RegRoot::CurrentUser, L"Software\\Vantorix")) << "created by the check, so removed";

  ASSERT_TRUE(regWriteDword(RegRoot::CurrentUser, L"Software\\Vantorix", L"Theme", 1));
  cli::runSelfTest({});
  EXPECT_TRUE(regKeyAbsent(RegRoot::CurrentUser, cli::kSelfTestKey));
  EXPECT_EQ(regReadDword(RegRoot::CurrentUser, L"Software\\Vantorix", L"Theme"), 1u);
  EXPECT_EQ(fileStatus(L"C:\\Users\\Player\\AppData\\Local\\Temp\\vantorix-selftest.reg").kind, FileKind::Missing);
}

TEST_F(SelfTestSim, ARestorePointOnlyWhenAskedFor) {
  const auto lines = cli::runSelfTest({.createRestorePoint = true});
  EXPECT_EQ(lineNamed(lines, L"Восстановление системы").detail, L"SrClient.dll загружается; точка создана");
  EXPECT_EQ(machine.restorePoints(), std::vector<std::wstring>{L"Vantorix: самопроверка"});

  machine.setRestorePointsSucceed(false);
  const CheckLine failed = lineNamed(cli::runSelfTest({.createRestorePoint = true}), L"Восстановление системы");
  EXPECT_EQ(failed.result, CheckResult::Fail);
}

TEST(SelfTestOutput, TextAndJsonCarryEveryLineWithItsResult) {
  const std::vector<CheckLine> lines = {
      {L"Windows", CheckResult::Pass, L"Windows 10 Pro 22H2, 10.0.19045"},
      {L"Оболочка", CheckResult::Fail, L"окна оболочки нет"},
      {L"GlobalTimerResolutionRequests", CheckResult::NotApplicable, L"не задано"},
  };
  EXPECT_EQ(cli::selfTestText(lines),
            L"✔ Windows: Windows 10 Pro 22H2, 10.0.19045\n✗ Оболочка: окна оболочки нет\n"
            L"— GlobalTimerResolutionRequests: не задано\n");
  const auto json = nlohmann::json::parse(cli::selfTestJson(lines));
  ASSERT_EQ(json.at("checks").size(), 3u);
  const char* results[] = {"pass", "fail", "na"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(json["checks"][i]["name"], toUtf8(lines[i].name));
    EXPECT_EQ(json["checks"][i]["result"], results[i]);
    EXPECT_EQ(json["checks"][i]["detail"], toUtf8(lines[i].detail));
  }
  EXPECT_EQ(cli::selfTestExitCode({lines[0], lines[2]}), 0) << "a check that does not apply is no failure";
  EXPECT_EQ(cli::selfTestExitCode(lines), 1);
}

}  // namespace
}  // namespace vx
