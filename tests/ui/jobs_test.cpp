#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

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
  EXPECT_EQ(state.statusText, L"Не удалось применить твики категории");  // the job's own failure text
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

TEST_F(UiJobs, WorkerCreationThatThrowsIsAFailedJob) {
  struct Case {
    const char* name;
    std::function<bool(std::function<void()>)> starter;
  };
  const Case cases[] = {
      {"out of memory", [](std::function<void()>) -> bool { throw std::bad_alloc(); }},
      {"no thread", [](std::function<void()>) -> bool { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); }},
      {"anything else", [](std::function<void()>) -> bool { throw 42; }},
  };
  auto tweak = addTweak(L"perf.p");
  tweak->ownTier = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state.startWorker = c.starter;
    EXPECT_NO_THROW(ui::startProfileJob(state, host, TierBasic));
    EXPECT_EQ(state.busy.load(), 0);
    EXPECT_EQ(state.statusText, L"Не удалось применить профиль «Базовая»");
    EXPECT_EQ(state.statusColor, ui::kColorFailure);
  }
  EXPECT_EQ(tweak->applies, 0);
}

// A tweak that notes the threads it was queried on.
class ThreadNotingTweak : public FakeTweak {
 public:
  using FakeTweak::FakeTweak;
  TweakState queryState() override {
    {
      std::lock_guard lock(mutex);
      threads.push_back(std::this_thread::get_id());
    }
    return FakeTweak::queryState();
  }
  std::mutex mutex;
  std::vector<std::thread::id> threads;
};

TEST_F(UiJobs, ProfileChoosesItsTweaksOnTheWorker) {
  useRealThreads();
  std::vector<std::shared_ptr<ThreadNotingTweak>> tweaks;
  for (int i = 0; i < 3; ++i) {
    auto t = std::make_shared<ThreadNotingTweak>(L"perf.t" + std::to_wstring(i));
    t->ownTier = 1;
    state.catalogue.push_back(t);
    tweaks.push_back(t);
  }
  cache.refresh(*tweaks[0]);  // the refresher has seen one of them so far
  tweaks[0]->threads.clear();
  state.currentPage = kPerformancePage;
  ui::startProfileJob(state, host, TierBasic);
  EXPECT_EQ(state.statusText, L"Профиль «Базовая»: применяю 3 твиков...");
  const JobResult r = host.waitForResult(1);
  EXPECT_EQ(r.text, L"Профиль «Базовая» применён: 3 / 3");
  for (const auto& t : tweaks) {
    std::lock_guard lock(t->mutex);
    ASSERT_FALSE(t->threads.empty());
    for (std::thread::id id : t->threads) EXPECT_NE(id, std::this_thread::get_id()) << "queried on the UI thread";
  }
}

TEST_F(UiJobs, AdviceIsRebuiltFromKnownStatesQueryingOnlyUnseenTweaks) {
  // Two tweaks behind unconditional advice: one the cache knows (stale since the last clear),
  // one it has never seen.
  auto known = addTweak(L"game.disable_gamedvr", TweakCategory::Games);
  auto unseen = addTweak(L"system.show_ext", TweakCategory::System);
  cache.refresh(*known);
  cache.clear();
  known->state = TweakState::Applied;  // not yet seen by the refresher
  const int knownQueries = known->queries;
  ui::rebuildRecommendations(state);
  EXPECT_EQ(known->queries, knownQueries) << "a known state was queried again on the UI thread";
  EXPECT_EQ(unseen->queries, 1);
  std::vector<std::wstring> ids;
  for (const auto& rec : state.recommendations)
    for (const auto& id : rec.tweakIds) ids.push_back(id);
  EXPECT_NE(std::find(ids.begin(), ids.end(), L"game.disable_gamedvr"), ids.end());  // the shown state
  EXPECT_NE(std::find(ids.begin(), ids.end(), L"system.show_ext"), ids.end());
  ui::rebuildRecommendations(state);
  EXPECT_EQ(unseen->queries, 1);  // now known
}

TEST_F(UiJobs, FlagsTravelAsBits) {
  for (unsigned bits = 0; bits < 8; ++bits) EXPECT_EQ(ui::jobFlagBits(ui::jobFlagsFromBits(bits)), bits);
  for (TweakState s : {TweakState::NotApplied, TweakState::Applied, TweakState::Undetermined, TweakState::Unavailable}) {
    const ui::JobFlags card{true, false, false, s};
    EXPECT_EQ(ui::jobFlagsFromBits(ui::jobFlagBits(card)), card);
  }
  EXPECT_EQ(ui::jobFlagsFromBits(7).tweakState, std::nullopt);
  EXPECT_EQ(ui::jobFlagBits({true, false, false}), 1u);
  EXPECT_EQ(ui::jobFlagBits({false, true, false}), 2u);
  EXPECT_EQ(ui::jobFlagBits({false, false, true}), 4u);
}

}  // namespace
}  // namespace vx::test
