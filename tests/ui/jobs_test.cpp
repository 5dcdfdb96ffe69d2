#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/system.h"
#include "ui/jobs.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

class UiJobs : public UiTest {
 protected:
  void useRealThreads() { state.startWorker = ui::startDetachedWorker; }
  std::wstring shutdownPath() { return *systemDirectory() + L"\\shutdown.exe"; }
};

TEST_F(UiJobs, ConcurrentJobRunsOnAWorkerOneAtATime) {
  useRealThreads();
  for (int i = 0; i < 3; ++i) addTweak(L"perf." + std::to_wstring(i));
  state.currentPage = kPerformancePage;
  ui::startCategoryJob(state, host, false);
  ui::startCategoryJob(state, host, true);  // a second click while busy starts nothing
  const JobResult r = host.waitForResult(1);
  EXPECT_EQ(r.text, L"Применение завершено: 3 ок, 0 ошибок, 0 пропущено");
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(state.busy.load(), 1);  // until the UI thread handles the completion
  ui::onJobDone(state, host, &r.text, ui::jobFlags(r));
  EXPECT_EQ(state.busy.load(), 0);
  EXPECT_EQ(host.resultCount(), 1u);
}

TEST_F(UiJobs, WorkerThatCannotStartLeavesTheWindowUsable) {
  state.startWorker = [](std::function<void()>) { return false; };
  addTweak(L"perf.a");
  state.currentPage = kPerformancePage;
  ui::startCategoryJob(state, host, false);
  EXPECT_EQ(state.busy.load(), 0);
  EXPECT_EQ(state.statusText, ui::kWorkerFailedText);
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
  EXPECT_EQ(host.resultCount(), 0u);
  state.startWorker = [](std::function<void()> body) {
    body();
    return true;
  };
  ui::startCategoryJob(state, host, false);  // the next job starts normally
  EXPECT_EQ(host.resultCount(), 1u);
}

TEST_F(UiJobs, ConcurrentJobBodyExceptionStillPostsItsFailure) {
  useRealThreads();
  ui::launchJob(state, host, L"...", []() -> JobResult { throw std::runtime_error("boom"); },
                JobResult{L"Не удалось применить твики категории"});
  const JobResult r = host.waitForResult(1);
  EXPECT_EQ(r.text, L"Не удалось применить твики категории");
  EXPECT_FALSE(r.succeeded);
  ui::onJobDone(state, host, &r.text, ui::jobFlags(r));
  EXPECT_EQ(state.busy.load(), 0);
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
}

TEST_F(UiJobs, CompletionShowsTheTextAndAsksForARebootOnlyAfterSuccess) {
  struct Case {
    bool succeeded, reboot, questionAsked;
  };
  for (const Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}, Case{false, false, false}}) {
    SCOPED_TRACE(testing::Message() << c.succeeded << c.reboot);
    host.questions = 0;
    state.busy = 1;
    const std::wstring text = L"Рекомендация применена";
    ui::onJobDone(state, host, &text, ui::JobFlags{c.succeeded, c.reboot, false});
    EXPECT_EQ(host.questions, c.questionAsked ? 1 : 0);
    EXPECT_EQ(state.statusText, text);  // "Нет": the job's text stays
    EXPECT_EQ(state.statusColor, c.succeeded ? ui::kColorSuccess : ui::kColorFailure);
    EXPECT_EQ(state.busy.load(), 0);
  }
  EXPECT_EQ(host.lastQuestion, ui::kRebootQuestion);
}

TEST_F(UiJobs, YesSchedulesTheRebootThroughShutdown) {
  machine.addProgram(shutdownPath(), 0);
  host.answerYes = true;
  state.selectedIds = {L"perf.a"};
  state.busy = 1;
  ui::onJobDone(state, host, nullptr, ui::JobFlags{true, true, true});  // no text: busy still cleared
  EXPECT_EQ(state.busy.load(), 0);
  EXPECT_TRUE(state.selectedIds.empty());
  ASSERT_EQ(machine.startedCommandLines().size(), 1u);
  EXPECT_EQ(machine.startedCommandLines()[0], L"\"" + shutdownPath() + L"\" " + ui::kRebootArguments);
  EXPECT_EQ(state.statusText, ui::kRebootScheduledText);
  EXPECT_EQ(state.statusColor, ui::kColorWarning);

  machine.removeProgram(shutdownPath());  // shutdown.exe does not start: the job's text stays
  const std::wstring text = L"Применено: 1 из 1";
  ui::onJobDone(state, host, &text, ui::JobFlags{true, true, true});
  EXPECT_EQ(state.statusText, text);
}

TEST_F(UiJobs, CompletionMarksCardStatesStaleButKeepsThemForPainting) {
  auto tweak = addTweak(L"perf.a");
  cache.refresh(*tweak);
  EXPECT_FALSE(cache.needsRefresh(tweak->id, 2000));
  const std::wstring text = L"x";
  ui::onJobDone(state, host, &text, ui::JobFlags{});
  EXPECT_TRUE(cache.needsRefresh(tweak->id, 2000));
  EXPECT_EQ(cache.lastKnown(tweak->id), TweakState::NotApplied);
}

TEST_F(UiJobs, FlagsTravelAsBits) {
  for (unsigned bits = 0; bits < 8; ++bits) EXPECT_EQ(ui::jobFlagBits(ui::jobFlagsFromBits(bits)), bits);
  EXPECT_EQ(ui::jobFlagBits({true, false, false}), 1u);
  EXPECT_EQ(ui::jobFlagBits({false, true, false}), 2u);
  EXPECT_EQ(ui::jobFlagBits({false, false, true}), 4u);
}

}  // namespace
}  // namespace vx::test
