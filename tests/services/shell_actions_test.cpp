// The DNS flush, the recycle bin and the Explorer restart on the simulated machine: what counts as
// success, which programs start in which order and how, and the fallbacks.
#include "services/shell_actions.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <vector>

#include "platform/system.h"
#include "support/sim_test.h"

namespace vx {
namespace {

const std::wstring kIpconfig = L"C:\\Windows\\system32\\ipconfig.exe";
const std::wstring kTaskkill = L"C:\\Windows\\system32\\taskkill.exe";
const std::wstring kExplorer = L"C:\\Windows\\explorer.exe";

using ShellActionsTest = test::SimTest;

TEST_F(ShellActionsTest, DnsFlushSucceedsWhenIpconfigStartedWhateverItsExitCode) {
  struct Case {
    bool installed;
    std::uint32_t exitCode;
    std::uint32_t runMs;
    bool flushed;
  };
  const Case cases[] = {
      {true, 0, 0, true},
      {true, 1, 0, true},      // Wine's ipconfig /flushdns exits 1
      {true, 0, 9000, true},   // still running after the 5 s wait
      {false, 0, 0, false},
  };
  for (const Case& c : cases) {
    machine.reset();
    if (c.installed) machine.addProgram(kIpconfig, c.exitCode, c.runMs);
    EXPECT_EQ(flushDnsCache(), c.flushed) << c.installed << " " << c.exitCode << " " << c.runMs;
    const auto started = machine.startedPrograms();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, L"\"" + kIpconfig + L"\" /flushdns");
    EXPECT_EQ(started[0].timeoutMs, 5000u);
  }
}

TEST_F(ShellActionsTest, DnsFlushWithoutASystemDirectoryStartsNothing) {
  machine.addProgram(kIpconfig, 0);
  machine.setSystemDirectory(std::nullopt);
  EXPECT_FALSE(flushDnsCache());
  EXPECT_TRUE(machine.startedPrograms().empty());
}

TEST_F(ShellActionsTest, RecycleBinIsEmptiedOnlyWhenTheShellAnswersOk) {
  struct Case {
    std::int32_t hresult;
    bool emptied;
  };
  const Case cases[] = {
      {0, true},
      {1, false},                                        // S_FALSE
      {static_cast<std::int32_t>(0x8000FFFFu), false},   // E_UNEXPECTED: nothing in the bin
      {static_cast<std::int32_t>(0x80070003u), false},   // no bin on the drive
  };
  for (const Case& c : cases) {
    machine.setRecycleBinResult(c.hresult);
    EXPECT_EQ(emptyRecycleBin(), c.emptied) << std::hex << c.hresult;
  }
  EXPECT_EQ(machine.recycleBinCalls(), 4u);
}

TEST_F(ShellActionsTest, ExplorerRestartKillsPausesThenStartsThroughTheShellOrDirectly) {
  struct Case {
    bool taskkillInstalled;
    bool shellFails;
    bool explorerInstalled;
    bool restarted;
    bool viaShell;
  };
  const Case cases[] = {
      {true, false, true, true, true},
      {false, false, true, true, true},   // taskkill missing: Explorer is simply started
      {true, true, true, true, false},    // the shell refuses: CreateProcessW
      {true, true, false, false, false},  // nothing can start it
  };
  for (const Case& c : cases) {
    machine.reset();
    if (c.taskkillInstalled) machine.addProgram(kTaskkill, 128);
    if (c.explorerInstalled) machine.addProgram(kExplorer, 0, 60'000);
    machine.failShellStarts(c.shellFails);
    std::vector<std::uint32_t> pauses;
    std::size_t startedBeforePause = 0;
    const bool restarted = restartExplorer([&](std::uint32_t ms) {
      pauses.push_back(ms);
      startedBeforePause = machine.startedPrograms().size();
    });
    const std::string label = std::to_string(c.taskkillInstalled) + std::to_string(c.shellFails) +
                              std::to_string(c.explorerInstalled);
    EXPECT_EQ(restarted, c.restarted) << label;
    // No shell window on this machine: the whole wait passes before Explorer is started.
    ASSERT_FALSE(pauses.empty()) << label;
    EXPECT_EQ(pauses.front(), 800u) << label;
    EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0u), 5000u) << label;
    const auto started = machine.startedPrograms();
    ASSERT_GE(started.size(), 1u) << label;
    EXPECT_EQ(startedBeforePause, 1u) << "taskkill is tried before the pause " << label;
    EXPECT_EQ(started[0].commandLine, L"\"" + kTaskkill + L"\" /F /IM explorer.exe") << label;
    EXPECT_EQ(started[0].timeoutMs, 10'000u) << label;
    EXPECT_EQ(machine.shellStartedPrograms(), c.viaShell ? std::vector<std::wstring>{kExplorer} : std::vector<std::wstring>{})
        << label;
    if (c.restarted) {
      EXPECT_EQ(started.back().commandLine, L"\"" + kExplorer + L"\"") << label;
    }
  }
}

TEST_F(ShellActionsTest, ExplorerIsStartedOnlyWhenTheShellDoesNotComeBackWithinFiveSeconds) {
  struct Case {
    const char* label;
    bool shellBefore;
    bool killWorks;
    std::optional<std::uint32_t> returnsAfterMs;
    bool explorerStarted;
    std::int64_t waitedMs;
  };
  const Case cases[] = {
      {"no shell window (Wine)", false, true, std::nullopt, true, 5000},
      {"Windows brings it back at once", true, true, 0, false, 800},
      {"Windows brings it back after 2 s", true, true, 2000, false, 2000},
      {"back just in time", true, true, 5000, false, 5000},
      {"back too late", true, true, 5100, true, 5000},
      {"not restarted by Windows", true, true, std::nullopt, true, 5000},
      {"the kill did nothing", true, false, std::nullopt, false, 5000},
  };
  for (const Case& c : cases) {
    machine.reset();
    machine.setShell({.window = c.shellBefore, .returnsAfterKillMs = c.returnsAfterMs});
    machine.addProgram(kTaskkill, [&c](const std::wstring&) {
      sim::ProgramRun run;
      if (c.killWorks) run.effect = [](sim::Machine& m) { m.killShell(); };
      return run;
    });
    machine.addProgram(kExplorer, 0, 60'000);
    const std::int64_t start = steadyNanoseconds();
    EXPECT_TRUE(restartExplorer()) << c.label;
    EXPECT_EQ((steadyNanoseconds() - start) / 1'000'000, c.waitedMs) << c.label;
    EXPECT_EQ(machine.shellStartedPrograms(), c.explorerStarted ? std::vector<std::wstring>{kExplorer} : std::vector<std::wstring>{})
        << c.label;
    EXPECT_EQ(machine.startedPrograms().size(), c.explorerStarted ? 2u : 1u) << c.label;
  }
}

TEST_F(ShellActionsTest, ExplorerRestartNeedsTheSystemAndWindowsFolders) {
  machine.addProgram(kTaskkill, 0);
  machine.addProgram(kExplorer, 0);
  machine.setSystemDirectory(std::nullopt);
  EXPECT_FALSE(restartExplorer([](std::uint32_t) {}));
  EXPECT_TRUE(machine.startedPrograms().empty());

  machine.setSystemDirectory(L"C:\\Windows\\system32");
  machine.setWindowsDirectory(std::nullopt);
  EXPECT_FALSE(restartExplorer([](std::uint32_t) {}));
  EXPECT_EQ(machine.startedCommandLines(), std::vector<std::wstring>{L"\"" + kTaskkill + L"\" /F /IM explorer.exe"});
}

}  // namespace
}  // namespace vx
