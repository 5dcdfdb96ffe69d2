// The cleanup job's texts and success flags for each action, and the action numbers.
#include "services/cleanup_job.h"

#include <gtest/gtest.h>

#include "base/text.h"

#include "support/sim_test.h"

namespace vx {
namespace {

TEST(CleanupJobTexts, TempCleanupShowsTheCountsAndFailsOnlyWhenNothingWasDeleted) {
  struct Case {
    CleanupResult result;
    const wchar_t* text;
    bool succeeded;
  };
  const Case cases[] = {
      {{0, 0, 0}, L"Удалено файлов: 0, освобождено: 0 МБ", true},
      {{1234, 1536, 0}, L"Удалено файлов: 1 234, освобождено: 1 536 МБ", true},
      {{0, 0, 3}, L"Удалено файлов: 0, освобождено: 0 МБ", false},
      {{2, 0, 3}, L"Удалено файлов: 2, освобождено: 0 МБ", true},
      {{1'000'000, 12, 1}, L"Удалено файлов: 1 000 000, освобождено: 12 МБ", true},
  };
  for (const Case& c : cases) {
    const JobResult job = tempCleanupJobResult(c.result);
    EXPECT_EQ(job.text, c.text);
    EXPECT_EQ(job.succeeded, c.succeeded) << toUtf8(c.text);
    EXPECT_FALSE(job.needsReboot || job.clearSelection);
  }
}

TEST(CleanupJobTexts, ShellActionsHaveOneTextForSuccessAndOneForFailure) {
  struct Case {
    JobResult (*build)(bool);
    const wchar_t* success;
    const wchar_t* failure;
  };
  const Case cases[] = {
      {dnsFlushJobResult, L"DNS-кэш сброшен", L"Не удалось сбросить DNS"},
      {recycleBinJobResult, L"Корзина очищена", L"Корзина пуста или недоступна"},
      {explorerRestartJobResult, L"Explorer перезапущен", L"Не удалось перезапустить Explorer"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.build(true), (JobResult{c.success, true, false, false}));
    EXPECT_EQ(c.build(false), (JobResult{c.failure, false, false, false}));
  }
}

TEST(CleanupJobTexts, ProgressTextsAndActionNumbers) {
  const std::pair<CleanupAction, const wchar_t*> rows[] = {
      {CleanupAction::TempFiles, L"Очищаю временные файлы..."},
      {CleanupAction::DnsCache, L"Сбрасываю DNS-кэш..."},
      {CleanupAction::RecycleBin, L"Очищаю корзину..."},
      {CleanupAction::Explorer, L"Перезапускаю Explorer..."},
  };
  int number = 0;
  for (const auto& [action, text] : rows) {
    EXPECT_EQ(static_cast<int>(action), number++);
    EXPECT_EQ(cleanupProgressText(action), text);
  }
}

using CleanupJobTest = test::SimTest;

TEST_F(CleanupJobTest, RunningAnActionReportsWhatHappened) {
  machine.setRecycleBinResult(static_cast<std::int32_t>(0x8000FFFFu));
  EXPECT_EQ(runCleanupAction(CleanupAction::RecycleBin).text, L"Корзина пуста или недоступна");
  EXPECT_EQ(runCleanupAction(CleanupAction::DnsCache).text, L"Не удалось сбросить DNS") << "no ipconfig here";
  machine.addProgram(L"C:\\Windows\\system32\\ipconfig.exe", 1);
  EXPECT_TRUE(runCleanupAction(CleanupAction::DnsCache).succeeded);
}

}  // namespace
}  // namespace vx
