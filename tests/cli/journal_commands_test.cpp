// vxctl show, history, restore and drift on the simulated machine with the real catalogue: the
// printed texts, the exit codes (0 all done, 1 something skipped or failed, 2 bad words or an
// unknown run) and that a dry run changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "cli/cli_command.h"
#include "core/change_journal.h"
#include "core/journal_run.h"
#include "platform/power.h"
#include "support/sim_test.h"

namespace vx {
namespace {

struct VerbRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

const std::wstring kKey = L"SOFTWARE\\Vantorix\\Test";

class JournalCommandsTest : public test::SimTest {
 protected:
  void SetUp() override {
    test::SimTest::SetUp();
    machine.setLocalTime(CalendarTime{2026, 12, 11, 17, 30, 5, 0});
  }
  VerbRun run(const std::wstring& verb, const std::vector<std::wstring>& args) {
    for (const auto& command : cli::commands()) {
      if (command.name != verb) continue;
      ::testing::internal::CaptureStdout();
      ::testing::internal::CaptureStderr();
      VerbRun result;
      result.exitCode = command.run(args);
      result.out = ::testing::internal::GetCapturedStdout();
      result.err = ::testing::internal::GetCapturedStderr();
      return result;
    }
    ADD_FAILURE() << "no verb " << toUtf8(verb);
    return {};
  }
  // The journal line of an apply of power.high that changed one value from 7 to 60.
  static void journalApply(const std::wstring& label = L"apply_power.high") {
    JournalRun journal(label);
    journal.append(L"power.high", JournalAction::Apply, JournalResult::Ok,
                   {JournalValue{ChangeKind::RegistryValue, RegRoot::LocalMachine, kKey, L"Delay", RegValueImage::dword(7),
                                 RegValueImage::dword(60)}});
  }
  static std::optional<std::uint32_t> delay() { return regReadDword(RegRoot::LocalMachine, kKey, L"Delay"); }
};

TEST_F(JournalCommandsTest, BadWordsAndUnknownRunsExitWithTwo) {
  journalApply();
  const std::vector<std::pair<std::wstring, std::vector<std::wstring>>> calls{
      {L"restore", {}},
      {L"restore", {L"--run"}},
      {L"restore", {L"--run", L"x"}},
      {L"restore", {L"--run", L"9"}},
      {L"restore", {L"power.high", L"--run", L"1"}},
      {L"restore", {L"no.such_tweak"}},
      {L"restore", {L"power.high", L"--fast"}},
      {L"history", {L"0"}},
      {L"history", {L"1", L"2"}},
      {L"show", {}},
      {L"show", {L"no.such_tweak"}},
      {L"drift", {L"--now"}},
  };
  for (const auto& [verb, args] : calls) EXPECT_EQ(run(verb, args).exitCode, cli::kExitUsage) << toUtf8(verb) << " " << args.size();
  EXPECT_EQ(delay(), std::nullopt) << "nothing was changed";
}

TEST_F(JournalCommandsTest, RestoreDryRunThenRestoreThenAValueChangedSince) {
  EXPECT_EQ(run(L"restore", {L"power.high"}).exitCode, cli::kExitFailed) << "no apply journalled yet";
  machine.setDword(RegRoot::LocalMachine, kKey, L"Delay", 60);
  journalApply();

  const VerbRun dry = run(L"restore", {L"power.high", L"--dry-run"});
  EXPECT_EQ(dry.exitCode, cli::kExitOk);
  EXPECT_EQ(dry.out,
            "План восстановления «restore_power.high» (пробный запуск, ничего не изменено):\n"
            "power.high — План питания: Высокая производительность\n"
            "  HKLM\\SOFTWARE\\Vantorix\\Test  Delay: 60 → 7 (REG_DWORD)\n");
  EXPECT_EQ(delay(), 60u);

  const VerbRun done = run(L"restore", {L"--run", L"1"});
  EXPECT_EQ(done.exitCode, cli::kExitOk) << done.err;
  EXPECT_EQ(delay(), 7u);
  EXPECT_NE(done.out.find("Восстановлено значений: 1"), std::string::npos) << done.out;

  // Applied again, then changed by the user: skipped and reported, exit 1, unless forced.
  journalApply();
  machine.setDword(RegRoot::LocalMachine, kKey, L"Delay", 30);
  const VerbRun skipped = run(L"restore", {L"power.high"});
  EXPECT_EQ(skipped.exitCode, cli::kExitFailed);
  EXPECT_NE(skipped.out.find("изменено после Vantorix — пропущено"), std::string::npos) << skipped.out;
  EXPECT_EQ(delay(), 30u);
  EXPECT_EQ(run(L"restore", {L"power.high", L"--force"}).exitCode, cli::kExitOk);
  EXPECT_EQ(delay(), 7u);
}

TEST_F(JournalCommandsTest, HistoryListsTheNewestRunsFirst) {
  EXPECT_EQ(run(L"history", {}).out, "Журнал изменений пуст\n");
  journalApply(L"profile_Максимум");
  machine.setDword(RegRoot::LocalMachine, kKey, L"Delay", 60);
  run(L"restore", {L"power.high"});
  const VerbRun history = run(L"history", {L"5"});
  EXPECT_EQ(history.exitCode, cli::kExitOk);
  EXPECT_EQ(history.out,
            "#2 2026-12-11 17:30:05 restore_power.high\n"
            "  power.high — План питания: Высокая производительность — восстановлено\n"
            "#1 2026-12-11 17:30:05 profile_Максимум\n"
            "  power.high — План питания: Высокая производительность — применено\n");
  EXPECT_EQ(run(L"history", {L"1"}).out.find("#1 "), std::string::npos);
}

TEST_F(JournalCommandsTest, DriftReportsAResetTweakAndAppliesItAgain) {
  machine.setActivePowerScheme(kBalancedScheme);
  EXPECT_EQ(run(L"drift", {}).exitCode, cli::kExitOk) << "nothing journalled";
  journalApply();
  const VerbRun drift = run(L"drift", {});
  EXPECT_EQ(drift.exitCode, cli::kExitFailed);
  EXPECT_EQ(drift.out, "Сброшено после применения: 1\n  power.high — План питания: Высокая производительность\n");
  EXPECT_EQ(run(L"drift", {L"--apply"}).exitCode, cli::kExitOk);
  EXPECT_EQ(machine.activePowerScheme(), kHighPerformanceScheme);
  EXPECT_EQ(run(L"drift", {}).exitCode, cli::kExitOk);
  // The reapply is a run of its own in the journal.
  EXPECT_EQ(readJournal().back().label, L"reapply_reset");
}

TEST_F(JournalCommandsTest, ShowPrintsTheTitleFirst) {
  const VerbRun show = run(L"show", {L"power.high", L"--revert"});
  EXPECT_EQ(show.exitCode, cli::kExitOk);
  EXPECT_EQ(show.out.rfind("План питания: Высокая производительность\n", 0), 0u) << show.out;
}

}  // namespace
}  // namespace vx
