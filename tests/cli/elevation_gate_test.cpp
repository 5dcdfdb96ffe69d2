// vxctl without elevation: the verbs that change the system refuse before touching anything and
// exit 2; reading verbs and dry runs still answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "cli/cli_command.h"
#include "cli/elevation_gate.h"
#include "support/sim_test.h"

namespace vx {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string err;
};

class ElevationGateTest : public test::SimTest {
 protected:
  Outcome run(const std::wstring& verb, const std::vector<std::wstring>& args) {
    for (const auto& command : cli::commands()) {
      if (command.name != verb) continue;
      ::testing::internal::CaptureStdout();
      ::testing::internal::CaptureStderr();
      Outcome o;
      o.exitCode = command.run(args);
      ::testing::internal::GetCapturedStdout();
      o.err = ::testing::internal::GetCapturedStderr();
      return o;
    }
    ADD_FAILURE() << "no verb " << toUtf8(verb);
    return {};
  }
};

TEST_F(ElevationGateTest, UnelevatedChangingVerbsRefuseBeforeTouchingAnything) {
  machine.addProgram(L"C:\\Windows\\system32\\taskkill.exe", 0);
  machine.setElevated(false);
  const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
      {L"apply", {L"perf.priorityseparation"}},
      {L"revert", {L"perf.priorityseparation"}},
      {L"category", {L"performance", L"apply"}},
      {L"profile", {L"maximum"}},
      {L"clean", {L"explorer"}},
      {L"boost", {L"--seconds", L"1"}},
  };
  const std::uint64_t writesBefore = machine.registryWrites();
  for (const auto& [verb, args] : cases) {
    const Outcome o = run(verb, args);
    EXPECT_EQ(o.exitCode, cli::kExitUsage) << toUtf8(verb);
    EXPECT_EQ(o.err, "Запустите vxctl от имени администратора\n") << toUtf8(verb);
  }
  EXPECT_EQ(machine.registryWrites(), writesBefore);
  EXPECT_TRUE(machine.startedPrograms().empty());
}

TEST_F(ElevationGateTest, ReadingVerbsAndDryRunsWorkUnelevated) {
  machine.setElevated(false);
  const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
      {L"list", {}},
      {L"status", {L"perf.priorityseparation"}},
      {L"profile", {L"basic", L"--dry-run"}},
      {L"backups", {}},
  };
  for (const auto& [verb, args] : cases) EXPECT_EQ(run(verb, args).exitCode, cli::kExitOk) << toUtf8(verb);
}

TEST_F(ElevationGateTest, SelfTestRunsUnelevatedAndOnlyItsRestorePointIsRefused) {
  machine.setElevated(false);
  // The checks run and report the missing elevation as a failed check, not as a refusal.
  const Outcome checks = run(L"selftest", {});
  EXPECT_EQ(checks.exitCode, cli::kExitFailed) << checks.err;
  EXPECT_EQ(checks.err, "");
  const Outcome point = run(L"selftest", {L"--restore-point"});
  EXPECT_EQ(point.exitCode, cli::kExitUsage);
  EXPECT_TRUE(machine.restorePoints().empty());
}

TEST_F(ElevationGateTest, ElevatedApplyStillChangesTheSystem) {
  const Outcome o = run(L"apply", {L"perf.priorityseparation"});
  EXPECT_EQ(o.exitCode, cli::kExitOk) << o.err;
  EXPECT_EQ(machine.dword(RegRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl",
                          L"Win32PrioritySeparation"),
            0x26u);
}

TEST(ChangesSystem, NamesTheChangingCallsOnly) {
  struct Case {
    const wchar_t* verb;
    std::vector<std::wstring> args;
    bool changes;
  };
  const Case cases[] = {
      {L"apply", {L"x"}, true},           {L"restore", {L"20260101"}, true},
      {L"import", {L"set.json"}, true},   {L"drift", {L"--apply"}, true},
      {L"import", {L"set.json", L"--dry-run"}, false}, {L"export", {L"set.json"}, false},
      {L"drift", {}, false},              {L"profile", {L"optimal", L"--dry-run"}, false},
      {L"status", {}, false},             {L"hw", {}, false},
      {L"ask", {L"привет"}, false},       {L"monitor", {}, false},
      {L"selftest", {L"--json"}, false},  {L"selftest", {L"--restore-point"}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(cli::changesSystem(c.verb, c.args), c.changes) << toUtf8(c.verb);
}

}  // namespace
}  // namespace vx
