#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "core/backup_folder.h"
#include "core/engine.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "ui/input_handlers.h"
#include "ui/jobs.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;

class UiDispatcher : public UiTest {
 protected:
  void click(HitKind kind, int index = -1) {
    paint();
    const ui::HitRegion* r = region(kind, index);
    ASSERT_TRUE(r) << "no region of that kind on the page";
    const ui::Point p = centre(*r);
    ui::onClick(state, host, p.x, p.y);
  }
  // Completes the job the inline worker just ran, as the window does on WM_JOBDONE.
  void finishJob() {
    const JobResult r = host.waitForResult(host.resultCount());
    ui::onJobDone(state, host, &r.text, ui::jobFlags(r));
  }
};

TEST_F(UiDispatcher, SidebarChoosesThePageAndShowsTheInputBoxOnlyForTheAssistant) {
  state.scrollOffset = 120;
  state.hoverIndex = 2;
  click(HitKind::SidebarItem, kSystemPage);
  EXPECT_EQ(state.currentPage, kSystemPage);
  EXPECT_EQ(state.scrollOffset, 0);
  EXPECT_EQ(state.hoverIndex, -1);
  EXPECT_FALSE(host.inputVisible);
  click(HitKind::SidebarItem, kAssistantPage);
  EXPECT_TRUE(host.inputVisible);
  click(HitKind::SidebarItem, kHomePage);
  EXPECT_FALSE(host.inputVisible);
}

// The sidebar's quick actions run the maintenance actions as jobs and report their results.
TEST_F(UiDispatcher, QuickActionsRunTheirCleanupJobs) {
  machine.addProgram(L"C:\\Windows\\system32\\ipconfig.exe", 1);  // started is enough, whatever it exits with
  struct Case {
    HitKind kind;
    const wchar_t* text;
    bool succeeded;
  };
  const Case cases[] = {
      {HitKind::CleanupDns, L"DNS-кэш сброшен", true},
      {HitKind::CleanupRecycleBin, L"Корзина очищена", true},  // the simulated bin answers S_OK
  };
  for (const Case& c : cases) {
    click(c.kind);
    ASSERT_EQ(state.busy.load(), 1) << "the click did not start a job";
    const JobResult r = host.waitForResult(host.resultCount());
    EXPECT_EQ(r.text, c.text);
    EXPECT_EQ(r.succeeded, c.succeeded);
    finishJob();
    EXPECT_EQ(state.busy.load(), 0);
    EXPECT_EQ(state.statusText, r.text);
  }
  EXPECT_EQ(machine.recycleBinCalls(), 1u);
}

// Each maintenance button starts its own action: the progress text names it. The worker is kept
// and never run, so nothing is cleaned and Explorer is not restarted.
TEST_F(UiDispatcher, EachMaintenanceButtonStartsItsOwnAction) {
  std::vector<std::function<void()>> kept;
  state.startWorker = [&kept](std::function<void()> body) {
    kept.push_back(std::move(body));
    return true;
  };
  state.currentPage = kHomePage;
  const std::pair<HitKind, const wchar_t*> cases[] = {
      {HitKind::CleanupTemp, L"Очищаю временные файлы..."},
      {HitKind::CleanupDns, L"Сбрасываю DNS-кэш..."},
      {HitKind::CleanupRecycleBin, L"Очищаю корзину..."},
      {HitKind::RestartExplorer, L"Перезапускаю Explorer..."},  // on Home
  };
  for (const auto& [kind, progress] : cases) {
    state.busy = 0;
    click(kind);
    EXPECT_EQ(state.busy.load(), 1);
    EXPECT_EQ(state.statusText, progress);
  }
  EXPECT_EQ(kept.size(), 4u);
}

TEST_F(UiDispatcher, ClicksAreIgnoredWhileAJobRuns) {
  auto tweak = addTweak(L"perf.a");
  state.currentPage = kPerformancePage;
  paint();
  state.busy = 1;
  for (HitKind kind : {HitKind::CardButton, HitKind::CardCheckbox, HitKind::ApplyAll}) {
    const ui::Point p = centre(*region(kind));
    ui::onClick(state, host, p.x, p.y);
  }
  const ui::Point sidebar = centre(*region(HitKind::SidebarItem, kSystemPage));
  ui::onClick(state, host, sidebar.x, sidebar.y);
  EXPECT_EQ(state.currentPage, kPerformancePage);
  EXPECT_EQ(tweak->applies + tweak->queries, 0);
  EXPECT_TRUE(state.selectedIds.empty());
  EXPECT_EQ(host.resultCount(), 0u);
}

TEST_F(UiDispatcher, ToggleAndButtonOfACardDoTheSameThing) {
  auto plain = addTweak(L"perf.plain");
  state.currentPage = kPerformancePage;
  for (HitKind kind : {HitKind::CardToggle, HitKind::CardButton}) {
    SCOPED_TRACE(static_cast<int>(kind));
    plain->state = TweakState::NotApplied;
    click(kind, 0);
    EXPECT_EQ(state.statusText, L"Твик perf.plain: применено");  // not aggressive: no backup note
    EXPECT_EQ(state.statusColor, ui::kColorSuccess);
    click(kind, 0);
    EXPECT_EQ(state.statusText, L"Твик perf.plain: откачено");
    EXPECT_EQ(plain->state, TweakState::NotApplied);
  }
  EXPECT_EQ(plain->applies, 2);
  EXPECT_EQ(plain->reverts, 2);
}

TEST_F(UiDispatcher, CardOutcomesReachTheStatusLine) {
  struct Case {
    const char* name;
    TweakState state;
    bool applyOk, throwOnApply;
    std::wstring text;
    ui::Color color;
  };
  const Case cases[] = {
      {"unavailable", TweakState::Unavailable, true, false, L"Твик perf.x: не поддерживается", ui::kColorTextDim},
      {"apply fails", TweakState::NotApplied, false, false, L"Твик perf.x: ошибка применения", ui::kColorFailure},
      {"apply throws", TweakState::Undetermined, true, true, L"Твик perf.x: ошибка применения", ui::kColorFailure},
  };
  auto tweak = addTweak(L"perf.x");
  state.currentPage = kPerformancePage;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tweak->state = c.state;
    tweak->applyOk = c.applyOk;
    tweak->throwOnApply = c.throwOnApply;
    click(HitKind::CardButton, 0);
    EXPECT_EQ(state.statusText, c.text);
    EXPECT_EQ(state.statusColor, c.color);
    EXPECT_EQ(state.busy.load(), 0);  // the window stays usable
  }
  EXPECT_EQ(tweak->applies, 2);  // never for the unavailable one
}

TEST_F(UiDispatcher, AggressiveCardAppliesAsAJobWithTheCardsOwnTexts) {
  struct Case {
    const char* name;
    bool applyOk;
    bool throwOnApply;
  };
  const Case cases[] = {{"applied", true, false}, {"apply fails", false, false}, {"apply throws", true, true}};
  std::function<void()> pending;
  state.startWorker = [&pending](std::function<void()> body) {
    pending = std::move(body);
    return true;
  };
  auto risky = addTweak(L"perf.risky");
  risky->aggressive = true;
  state.currentPage = kPerformancePage;
  state.selectedIds = {L"perf.other"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto twin = makeFake(L"perf.risky");  // the same tweak, applied the synchronous way
    for (auto& t : {risky, twin}) {
      t->state = TweakState::NotApplied;
      t->aggressive = true;
      t->applyOk = c.applyOk;
      t->throwOnApply = c.throwOnApply;
    }
    const StatusText expected = applyWithStatus(*twin);

    const int appliesBefore = risky->applies;
    click(HitKind::CardButton, 0);
    EXPECT_EQ(state.busy.load(), 1);
    EXPECT_EQ(state.statusText, L"Создаю бэкап и точку восстановления...");
    EXPECT_EQ(state.statusColor, ui::kColorTextDim);
    EXPECT_EQ(risky->applies, appliesBefore) << "applied on the UI thread";
    click(HitKind::CardButton, 0);  // ignored while the job runs
    ASSERT_TRUE(pending);
    std::exchange(pending, nullptr)();
    EXPECT_FALSE(pending) << "a second job started";

    const JobResult r = host.waitForResult(host.resultCount());
    EXPECT_EQ(r.text, expected.text);
    EXPECT_EQ(r.succeeded, expected.outcome == StatusOutcome::Success);
    EXPECT_FALSE(r.needsReboot);
    EXPECT_FALSE(r.clearSelection);
    finishJob();
    EXPECT_EQ(state.busy.load(), 0);
    EXPECT_EQ(state.statusText, expected.text);
    EXPECT_EQ(state.statusColor, r.succeeded ? ui::kColorSuccess : ui::kColorFailure);
    EXPECT_EQ(host.questions, 0);  // the card never asks for a reboot
    // The card's new state is in the cache, fresh, before any refresher ran.
    EXPECT_EQ(cache.lastKnown(L"perf.risky"), risky->state);
    EXPECT_FALSE(cache.needsRefresh(L"perf.risky", 2000));
  }
  EXPECT_EQ(state.selectedIds, std::set<std::wstring>{L"perf.other"});
}

TEST_F(UiDispatcher, PlainCardsAndRevertsStaySynchronous) {
  state.startWorker = [](std::function<void()>) -> bool {
    ADD_FAILURE() << "a job was started";
    return false;
  };
  auto plain = addTweak(L"perf.plain");
  auto risky = addTweak(L"perf.risky");
  risky->aggressive = true;
  risky->state = TweakState::Applied;
  state.currentPage = kPerformancePage;
  click(HitKind::CardButton, 0);
  EXPECT_EQ(state.statusText, L"Твик perf.plain: применено");
  click(HitKind::CardButton, 1);
  EXPECT_EQ(state.statusText, L"Твик perf.risky: откачено");
  EXPECT_EQ(state.busy.load(), 0);
}

TEST_F(UiDispatcher, NextPaintShowsTheClickedCardsNewState) {
  // The refresher has seen both tweaks; it does not run again before the paint.
  auto plain = addTweak(L"perf.plain");
  auto other = addTweak(L"perf.other");
  state.currentPage = kPerformancePage;
  for (auto& t : {plain, other}) cache.refresh(*t);
  for (bool applied : {true, false}) {
    SCOPED_TRACE(applied);
    click(HitKind::CardButton, 0);
    const RecordingCanvas canvas = paint();
    const ui::HitRegion* toggle = region(HitKind::CardToggle, 0);
    ASSERT_TRUE(toggle);
    EXPECT_EQ(canvas.fillAt(toggle->rect)->color, applied ? ui::kColorAccent : ui::kColorSelected);
    EXPECT_EQ(cache.lastKnown(L"perf.plain"), applied ? TweakState::Applied : TweakState::NotApplied);
    EXPECT_TRUE(cache.needsRefresh(L"perf.other", 2000));  // the rest is refreshed as before
  }
}

TEST_F(UiDispatcher, WheelDeltasAddUpPerTarget) {
  struct Step {
    int page;
    int delta;
    int offset;  // scroll offset after the step
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const int kList = kPerformancePage, kOther = kSystemPage;
  const Case cases[] = {
      {"one notch", {{kList, -120, 60}}},
      {"a touchpad's quarter notches", {{kList, -30, 0}, {kList, -30, 0}, {kList, -30, 0}, {kList, -30, 60}}},
      {"the remainder is kept", {{kList, -45, 0}, {kList, -165, 60}, {kList, -75, 120}, {kList, -75, 180}}},
      {"-45 then +165 is one notch up", {{kList, -240, 120}, {kList, -45, 120}, {kList, 165, 60}}},
      {"another target starts afresh", {{kList, -90, 0}, {kOther, -90, 0}, {kOther, -30, 60}}},
  };
  for (int i = 0; i < 30; ++i) addTweak(L"perf." + std::to_wstring(i));
  for (int i = 0; i < 30; ++i) addTweak(L"system." + std::to_wstring(i), TweakCategory::System);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state.wheelTarget = -1;
    state.scrollOffset = 0;
    for (const Step& step : c.steps) {
      if (state.currentPage != step.page) {
        state.currentPage = step.page;
        state.scrollOffset = 0;
      }
      paint();
      ui::onMouseWheel(state, host, step.delta);
      EXPECT_EQ(state.scrollOffset, step.offset) << "after " << step.delta;
    }
  }
}

TEST_F(UiDispatcher, ChatWheelKeepsItsOwnRemainder) {
  state.currentPage = kAssistantPage;
  for (int i = 0; i < 30; ++i) state.chat.push_back(ui::ChatMessage{i % 2 == 0, L"сообщение " + std::to_wstring(i), {}});
  paint();
  ASSERT_GT(state.chatScrollMax, 120);
  const ui::Point inChat{(state.chatPanel.left + state.chatPanel.right) / 2, state.chatPanel.top + 60};
  const ui::Point aboveChat{inChat.x, state.chatPanel.top - 20};
  ui::onMouseWheel(state, host, 90, inChat);
  ui::onMouseWheel(state, host, 90, aboveChat);  // the list: the chat's 90 is dropped
  ui::onMouseWheel(state, host, 30, inChat);
  EXPECT_EQ(state.chatScroll, 0);
  ui::onMouseWheel(state, host, 90, inChat);
  EXPECT_EQ(state.chatScroll, 60);
}

TEST_F(UiDispatcher, SelectionBoxTicksAndUnticksButNotAnUnavailableTweak) {
  auto a = addTweak(L"perf.a");
  auto gone = addTweak(L"perf.gone");
  gone->state = TweakState::Unavailable;
  state.currentPage = kPerformancePage;
  click(HitKind::CardCheckbox, 0);
  EXPECT_EQ(state.selectedIds, std::set<std::wstring>{L"perf.a"});
  click(HitKind::CardCheckbox, 1);
  EXPECT_EQ(state.selectedIds.size(), 1u);
  EXPECT_EQ(state.statusText, L"Твик perf.gone: не поддерживается");
  click(HitKind::CardCheckbox, 0);
  EXPECT_TRUE(state.selectedIds.empty());
  EXPECT_EQ(a->applies, 0);  // selecting never changes the system

  state.selectedIds = {L"perf.a"};
  click(HitKind::ClearSelection);
  EXPECT_TRUE(state.selectedIds.empty());
  EXPECT_EQ(state.statusText, L"Выбор снят");
}

TEST_F(UiDispatcher, BadgeClickDoesNothing) {
  auto risky = addTweak(L"perf.risky");
  risky->aggressive = true;
  state.currentPage = kPerformancePage;
  click(HitKind::AggressiveBadge, 0);
  EXPECT_EQ(risky->applies + risky->queries, 0);
  EXPECT_EQ(state.statusText, ui::kReadyText);
}

TEST_F(UiDispatcher, BatchButtonsRunTheirJobsAndReportTheResult) {
  auto a = addTweak(L"perf.a");
  auto b = addTweak(L"perf.b");
  b->applyOk = false;
  auto gone = addTweak(L"perf.gone");
  gone->state = TweakState::Unavailable;
  addTweak(L"sys.other", TweakCategory::System);
  state.currentPage = kPerformancePage;

  click(HitKind::ApplyAll);
  EXPECT_EQ(state.statusText, L"Применяю все твики категории...");
  EXPECT_EQ(state.busy.load(), 1);
  finishJob();
  EXPECT_EQ(state.statusText, L"Применение завершено: 1 ок, 1 ошибок, 1 пропущено");
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
  EXPECT_EQ(state.busy.load(), 0);

  b->applyOk = true;
  click(HitKind::RevertAll);
  finishJob();
  EXPECT_EQ(state.statusText, L"Откат завершён: 2 ок, 0 ошибок, 1 пропущено");
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
  EXPECT_EQ(a->reverts, 1);
}

TEST_F(UiDispatcher, SelectedJobClearsTheSelectionAlsoWhenIdsNoLongerResolve) {
  addTweak(L"perf.a");
  state.currentPage = kPerformancePage;
  state.selectedIds = {L"perf.a", L"perf.removed"};
  click(HitKind::ApplySelected);
  EXPECT_EQ(state.statusText, L"Применяю выбранные твики (1)...");
  finishJob();
  EXPECT_EQ(state.statusText, L"Применено: 1 из 1");
  EXPECT_TRUE(state.selectedIds.empty());

  state.selectedIds = {L"perf.removed"};  // the page shows no button for it; a stale tick elsewhere could
  ui::startSelectedJob(state, host);
  finishJob();
  EXPECT_EQ(state.statusText, L"Применено: 0 из 0");
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
  EXPECT_TRUE(state.selectedIds.empty());
}

TEST_F(UiDispatcher, ProfileButtonsChooseTheirLevel) {
  struct Case {
    HitKind kind;
    std::wstring start;
  };
  auto basic = addTweak(L"perf.basic");
  basic->ownTier = 1;
  auto optimal = addTweak(L"perf.optimal");
  optimal->ownTier = 2;
  auto maximum = addTweak(L"perf.max");
  maximum->ownTier = 3;
  auto gone = addTweak(L"perf.gone");
  gone->ownTier = 1;
  gone->state = TweakState::Unavailable;
  for (auto& t : {basic, optimal, maximum, gone}) cache.refresh(*t);  // what the refresher found
  state.currentPage = kPerformancePage;
  for (const Case& c : {Case{HitKind::ProfileBasic, L"Профиль «Базовая»: применяю 1 твиков..."},
                        Case{HitKind::ProfileOptimal, L"Профиль «Оптимальная»: применяю 2 твиков..."},
                        Case{HitKind::ProfileMaximum, L"Профиль «Максимум»: применяю 3 твиков..."}}) {
    click(c.kind);
    EXPECT_EQ(state.statusText, c.start);
    finishJob();
  }
  EXPECT_EQ(state.statusText, L"Профиль «Максимум» применён: 3 / 3");
  EXPECT_EQ(gone->applies, 0);
}

TEST_F(UiDispatcher, RecommendationAndChatButtonsApplyTheirTweaks) {
  auto a = addTweak(L"perf.a");
  state.currentPage = kPerformancePage;
  state.recommendations = {Recommendation{L"t", L"x", 0, {L"perf.a"}}};
  state.hitRegions = {ui::HitRegion{{0, 0, 10, 10}, HitKind::RecommendationApply, 0},
                      ui::HitRegion{{0, 10, 10, 20}, HitKind::RecommendationApply, 5},
                      ui::HitRegion{{0, 20, 10, 30}, HitKind::ChatApply, 0}};
  ui::onClick(state, host, 5, 15);  // an index outside the list does nothing
  EXPECT_EQ(host.resultCount(), 0u);
  ui::onClick(state, host, 5, 5);
  EXPECT_EQ(host.waitForResult(1).text, L"Рекомендация применена");
  finishJob();
  state.chat = {ui::ChatMessage{false, L"hi", {}}};
  ui::onClick(state, host, 5, 25);  // a message without tweaks offers nothing
  EXPECT_EQ(host.resultCount(), 1u);
  EXPECT_EQ(a->applies, 1);
}

TEST_F(UiDispatcher, DriverAndBackupButtonsOpenWhatTheyShow) {
  using Route = sim::Machine::OpenRoute;
  const std::wstring page = L"https://www.nvidia.com/drivers";
  state.driverCards = {GpuDriverInfo{L"RTX", L"NVIDIA", L"31.0.15.3623", L"536.23", page, L"x"},
                       GpuDriverInfo{L"Other", L"OTHER", L"1.0", L"1.0", L"", L""}};
  state.hitRegions = {ui::HitRegion{{0, 0, 10, 10}, HitKind::DriverOpen, 0},
                      ui::HitRegion{{0, 10, 10, 20}, HitKind::DriverOpen, 1},
                      ui::HitRegion{{0, 20, 10, 30}, HitKind::OpenBackupFolder, -1}};
  ui::onClick(state, host, 5, 15);
  EXPECT_TRUE(machine.shellOpened().empty()) << "a card without a page opens nothing";

  struct Case {
    bool shellWindow, shellRouteFails, shellExecuteFails;
    bool opened;
    Route route;
  };
  const Case cases[] = {
      {true, false, false, true, Route::ShellProcess},
      {true, true, false, true, Route::ThisProcess},
      {false, false, false, true, Route::ThisProcess},  // no Explorer: ShellExecuteW
      {true, true, true, false, Route::ThisProcess},
      {false, false, true, false, Route::ThisProcess},
  };
  for (const Case& c : cases) {
    machine.reset();
    machine.setShell({.window = c.shellWindow});
    machine.failShellProcessOpens(c.shellRouteFails);
    machine.failShellExecute(c.shellExecuteFails);
    const std::wstring folder = backupRoot();
    const std::string label = std::to_string(c.shellWindow) + std::to_string(c.shellRouteFails) +
                              std::to_string(c.shellExecuteFails);

    ui::onClick(state, host, 5, 5);
    EXPECT_EQ(state.statusText, c.opened ? L"Открыта страница NVIDIA • Установленная: 536.23" : L"Не удалось открыть: " + page)
        << label;
    EXPECT_EQ(state.statusColor, c.opened ? ui::kColorSuccess : ui::kColorFailure) << label;

    ui::onClick(state, host, 5, 25);
    EXPECT_EQ(state.statusText, c.opened ? L"Папка бэкапов открыта" : L"Не удалось открыть: " + folder) << label;
    EXPECT_EQ(state.statusColor, c.opened ? ui::kColorSuccess : ui::kColorFailure) << label;
    EXPECT_EQ(fileStatus(folder).kind, FileKind::Directory) << label;

    EXPECT_EQ(machine.shellOpened(), (std::vector<std::wstring>{page, folder})) << label;
    const auto expected = c.opened ? std::vector<sim::Machine::ShellOpen>{{page, c.route}, {folder, c.route}}
                                   : std::vector<sim::Machine::ShellOpen>{};
    EXPECT_EQ(machine.shellOpens(), expected) << label;
    EXPECT_TRUE(machine.startedPrograms().empty()) << "explorer.exe is not started from this process " << label;
  }
  EXPECT_TRUE(host.urls.empty() && host.programs.empty());
}

TEST_F(UiDispatcher, RefreshTakesAFreshSnapshotAndCountsTheAdvice) {
  state.hardware.cpuName = L"old";
  state.recommendations.resize(9);
  state.hitRegions = {ui::HitRegion{{0, 0, 10, 10}, HitKind::RefreshRecommendations, -1}};
  ui::onClick(state, host, 5, 5);
  EXPECT_EQ(state.hardware, detectHardware());
  EXPECT_EQ(state.recommendations, buildRecommendations(state.hardware, state.catalogue));
  EXPECT_EQ(state.statusText, L"Рекомендации обновлены: " + std::to_wstring(state.recommendations.size()));
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
}

TEST_F(UiDispatcher, WheelScrollsWithinTheContent) {
  for (int i = 0; i < 12; ++i) addTweak(L"perf." + std::to_wstring(i));
  state.currentPage = kPerformancePage;
  paint();
  ui::onMouseWheel(state, host, 120);  // away from the user: up, already at the top
  EXPECT_EQ(state.scrollOffset, 0);
  ui::onMouseWheel(state, host, -240);
  EXPECT_EQ(state.scrollOffset, 120);
  ui::onMouseWheel(state, host, -120 * 50);
  const int maximum = state.contentHeight - state.listHeight;
  EXPECT_EQ(state.scrollOffset, maximum);
  paint();
  // At the end the last card is wholly visible and clickable.
  const ui::HitRegion* last = region(HitKind::CardButton, 11);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->rect.height(), 34);

  state.catalogue.resize(2);  // content shorter than the list: stays at 0 both ways
  state.scrollOffset = 0;
  paint();
  for (int delta : {-120, 120, -600}) {
    ui::onMouseWheel(state, host, delta);
    EXPECT_EQ(state.scrollOffset, 0);
  }
}

TEST_F(UiDispatcher, HoverHighlightsOnlyOverToggleOrButton) {
  addTweak(L"perf.a");
  addTweak(L"perf.b");
  state.currentPage = kPerformancePage;
  paint();
  const ui::Point button = centre(*region(HitKind::CardButton, 1));
  ui::onMouseMove(state, host, button.x, button.y);
  EXPECT_EQ(state.hoverIndex, 1);
  RecordingCanvas canvas = paint();
  const ui::Point toggle = centre(*region(HitKind::CardToggle, 0));
  ui::onMouseMove(state, host, toggle.x, toggle.y);
  EXPECT_EQ(state.hoverIndex, 0);
  const ui::Point title = {toggle.x - 300, toggle.y};  // on the card, but not on a control
  ui::onMouseMove(state, host, title.x, title.y);
  EXPECT_EQ(state.hoverIndex, -1);
}

TEST_F(UiDispatcher, BadgeTooltipExplainsTheTweakAndFollowsThePointer) {
  auto first = addTweak(L"perf.first");
  first->aggressive = true;
  auto second = addTweak(L"perf.second");
  second->aggressive = true;
  // FakeTweak has no warning of its own: the default explanation.
  state.currentPage = kPerformancePage;
  paint();
  const ui::Point badge = centre(*region(HitKind::AggressiveBadge, 0));
  ui::onMouseMove(state, host, badge.x, badge.y);
  EXPECT_EQ(state.tooltipText, std::wstring(L"Почему «АГРЕССИВНО»?\n\n") + ui::kDefaultAggressiveWarning);
  EXPECT_EQ(state.tooltipIndex, 0);
  const int before = host.invalidations;
  ui::onMouseMove(state, host, badge.x + 1, badge.y);
  EXPECT_GT(host.invalidations, before);  // the box moves with the pointer
  RecordingCanvas canvas = paint();
  const auto text = canvas.text(state.tooltipText);
  ASSERT_TRUE(text);
  // Near the right edge the box is pushed left: its right edge 8 px inside the window.
  EXPECT_EQ(text->rect.right, 1280 - 8 - 10);
  EXPECT_EQ(text->rect.top, badge.y + 16 + 10);

  const ui::Point other = centre(*region(HitKind::AggressiveBadge, 1));
  ui::onMouseMove(state, host, other.x, other.y);
  EXPECT_EQ(state.tooltipIndex, 1);
  ui::onMouseMove(state, host, 1, 1);
  EXPECT_TRUE(state.tooltipText.empty());
  EXPECT_FALSE(paint().drew(std::wstring(L"Почему «АГРЕССИВНО»?\n\n") + ui::kDefaultAggressiveWarning));
}

}  // namespace
}  // namespace vx::test
