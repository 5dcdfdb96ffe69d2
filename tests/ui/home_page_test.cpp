// The Home dashboard on the recording canvas: the gauge and its colours, the load charts, the
// score from cached states, the driver cards and the utility tiles with their regions.
#include <gtest/gtest.h>

#include "core/backup_folder.h"
#include "core/user_account.h"
#include "ui/home_layout.h"
#include "ui/layout.h"
#include "ui/input_handlers.h"
#include "ui/ui_fixture.h"
#include "ui/window_setup.h"

namespace vx::test {
namespace {

using ui::HitKind;

class HomePage : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    state.currentPage = kHomePage;
  }
};

TEST(HomeGauge, DrawsTrackValueArcAndTexts) {
  struct Case {
    int value;
    std::size_t arcs;
    double sweep;  // of the value arc
  };
  for (const Case& c : {Case{0, 1, 0}, Case{37, 2, -133.2}, Case{100, 2, -360}}) {
    SCOPED_TRACE(c.value);
    RecordingCanvas canvas;
    ui::drawGauge(canvas, {200, 150}, 60, c.value, L"Хорошо", ui::kColorWarning, 96);
    const auto arcs = canvas.all(DrawCall::Arc);
    ASSERT_EQ(arcs.size(), c.arcs);
    EXPECT_EQ(arcs[0].rect, (ui::Rect{140, 90, 260, 210}));
    EXPECT_EQ(arcs[0].color, ui::kColorControl);
    EXPECT_DOUBLE_EQ(arcs[0].sweep, 360);  // the full grey track
    if (c.arcs == 2) {
      EXPECT_EQ(arcs[1].color, ui::kColorWarning);
      EXPECT_DOUBLE_EQ(arcs[1].start, 90);  // from 12 o'clock
      EXPECT_NEAR(arcs[1].sweep, c.sweep, 1e-9);
    }
    const auto value = canvas.text(std::to_wstring(c.value));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->rect, (ui::Rect{140, 130, 260, 154}));
    EXPECT_EQ(value->font, ui::FontId::Title);
    EXPECT_EQ(canvas.text(L"Хорошо")->color, ui::kColorWarning);
  }
}

TEST(HomeGauge, ScoreColourThresholds) {
  const std::pair<int, ui::Color> cases[] = {
      {0, ui::kColorFailure},  {24, ui::kColorFailure}, {25, ui::kColorWarning}, {49, ui::kColorWarning},
      {50, ui::kColorAccent},  {74, ui::kColorAccent},  {75, ui::kColorSuccess}, {100, ui::kColorSuccess},
  };
  for (const auto& [score, colour] : cases) EXPECT_EQ(ui::scoreColor(score), colour) << score;
}

TEST(HomeChart, NothingBelowTwoSamplesThenGridAndClampedLine) {
  const ui::Rect r{100, 50, 300, 90};  // 200 wide, 40 high
  RecordingCanvas canvas;
  ui::drawLineChart(canvas, r, {}, ui::kColorAccent);
  ui::drawLineChart(canvas, r, {50}, ui::kColorAccent);
  EXPECT_TRUE(canvas.calls.empty());

  ui::drawLineChart(canvas, r, {-5, 150}, ui::kColorAccent);
  const auto grid = canvas.all(DrawCall::Line);
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_EQ(grid[0].rect, (ui::Rect{100, 60, 300, 60}));
  EXPECT_EQ(grid[1].rect.top, 70);
  EXPECT_EQ(grid[2].rect.top, 80);
  const auto line = canvas.all(DrawCall::Polyline);
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ(line[0].points, (std::vector<ui::Point>{{100, 90}, {300, 50}}));  // clamped to 0 and 100

  std::vector<std::int32_t> minute(60);
  for (int i = 0; i < 60; ++i) minute[i] = i == 30 ? 0 : 75;
  minute[1] = 1;
  const auto points = ui::chartPoints(r, minute);
  ASSERT_EQ(points.size(), 60u);
  EXPECT_EQ(points.front(), (ui::Point{100, 60}));
  EXPECT_EQ(points[1], (ui::Point{103, 90}));  // 1 * 200 / 59 truncated; a value of 1 is a bar of 0
  EXPECT_EQ(points[30].y, 90);
  EXPECT_EQ(points.back(), (ui::Point{300, 60}));
}

TEST_F(HomePage, TilesShowTheMonitorSnapshot) {
  state.monitorSnapshot = [] {
    MonitorSnapshot s;
    s.cpuPercent = 12;
    s.gpuPercent = 0;
    s.ramPercent = 64;
    s.ramHistory = {60, 61, 64};
    s.cpuHistory = {12};
    return s;
  };
  const RecordingCanvas canvas = paint();
  const ui::HomeLayout h = ui::homeLayout(ui::frameLayout(1280, 820, 96).content, 0, 96, 0);
  EXPECT_EQ(canvas.text(L"12%")->color, ui::kColorAccent);
  EXPECT_EQ(canvas.text(L"0%")->color, ui::kColorSuccess);
  EXPECT_EQ(canvas.text(L"64%")->color, ui::kColorWarning);
  EXPECT_TRUE(canvas.drew(L"ОЗУ"));
  for (const ui::Rect& tile : h.metricTiles) EXPECT_EQ(canvas.fillAt(tile)->color, ui::kColorPanel);
  EXPECT_EQ(h.metricTiles[0].height(), 74);
  EXPECT_EQ(h.metricTiles[2].bottom, h.scoreCard.bottom - 2);  // (240 − 16) / 3 each, 8 apart
  // Only the RAM tile has two samples; the CPU tile shows its value without a chart.
  const auto lines = canvas.all(DrawCall::Polyline);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].color, ui::kColorWarning);
}

TEST_F(HomePage, ScoreComesFromTheCachedStatesNotFromQueries) {
  auto a = addTweak(L"perf.a");
  auto b = addTweak(L"perf.b");
  auto c = addTweak(L"perf.c");
  auto d = addTweak(L"perf.undetermined");  // counts, but not as applied
  a->state = TweakState::Applied;
  c->state = TweakState::Unavailable;
  d->state = TweakState::Undetermined;
  for (auto& t : {a, b, c, d}) cache.cachedState(*t, 2000);
  const int queries = a->queries + b->queries + c->queries + d->queries;
  b->state = TweakState::Applied;  // changed behind the cache's back: the paint must not see it

  const RecordingCanvas canvas = paint();
  EXPECT_EQ(a->queries + b->queries + c->queries + d->queries, queries) << "a paint queried a tweak";
  EXPECT_TRUE(canvas.drew(L"33"));
  EXPECT_EQ(canvas.text(L"Хорошо")->color, ui::kColorWarning);
  EXPECT_TRUE(canvas.drew(L"1 / 3 твиков применено"));
}

TEST_F(HomePage, GaugeWaitsForTheFirstPassInsteadOfShowingZero) {
  auto a = addTweak(L"perf.a");
  auto b = addTweak(L"perf.b");
  a->state = TweakState::Applied;
  b->state = TweakState::Unavailable;
  const ui::HomeLayout h = ui::homeLayout(ui::frameLayout(1280, 820, 96).content, 0, 96, 0);
  const ui::Rect number{h.gaugeCentre.x - h.gaugeRadius, h.gaugeCentre.y - 20, h.gaugeCentre.x + h.gaugeRadius,
                        h.gaugeCentre.y + 4};
  struct Case {
    const char* name;
    std::vector<std::shared_ptr<FakeTweak>> known;
    std::wstring value, line;
  };
  const Case cases[] = {
      {"nothing yet", {}, L"\u2014", L"Проверяю твики..."},
      {"half of the pass", {a}, L"\u2014", L"Проверяю твики..."},
      {"pass complete", {a, b}, L"100", L"1 / 1 твиков применено"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& t : c.known) cache.refresh(*t);
    const RecordingCanvas canvas = paint();
    std::wstring shown;
    for (const DrawCall& call : canvas.all(DrawCall::Text))
      if (call.rect == number) shown = call.text;
    EXPECT_EQ(shown, c.value);
    EXPECT_TRUE(canvas.drew(c.line));
    EXPECT_FALSE(canvas.drew(L"0 / 0 твиков применено"));
    // Before the pass: the grey track only, no value arc and no level word.
    EXPECT_EQ(canvas.all(DrawCall::Arc).size(), c.known.size() == 2 ? 2u : 1u);
  }
}

TEST_F(HomePage, DriverCardsShowVersionsAndOpenTheirPage) {
  state.driverCards = {
      {L"NVIDIA GeForce RTX 3070", L"NVIDIA", L"31.0.15.3623", L"536.23", L"https://www.nvidia.com/drivers", L"x"},
      {L"AMD Radeon RX 6600", L"AMD", L"31.0.21001.45002", L"31.0.21001.45002", L"https://www.amd.com/support", L"y"},
      {L"Microsoft Basic Display Adapter", L"OTHER", L"", L"", L"", L""},
  };
  const RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.drew(L"Драйверы видеокарты"));
  EXPECT_TRUE(canvas.drew(L"Установленная версия: 536.23  (31.0.15.3623)"));
  EXPECT_TRUE(canvas.drew(L"Установленная версия: 31.0.21001.45002"));
  EXPECT_TRUE(canvas.drew(L"Установленная версия: "));
  const ui::HitRegion* second = region(HitKind::DriverOpen, 1);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->rect.width(), 180);
  EXPECT_EQ(second->rect.height(), 34);
  const ui::Point at = centre(*second);
  ui::onClick(state, host, at.x, at.y);
  EXPECT_EQ(machine.shellOpened(), std::vector<std::wstring>{L"https://www.amd.com/support"});
  EXPECT_EQ(state.statusText, L"Открыта страница AMD • Установленная: 31.0.21001.45002");
  EXPECT_TRUE(paint().drew(state.statusText)) << "Home shows the result of its own buttons";
}

TEST_F(HomePage, WithoutDriversTheUtilitiesMoveUp) {
  RecordingCanvas canvas = paint();
  EXPECT_FALSE(canvas.drew(L"Драйверы видеокарты"));
  const int bareTop = canvas.text(L"Утилиты")->rect.top;
  const ui::Rect restart = region(HitKind::RestartExplorer)->rect;
  const ui::Rect backups = region(HitKind::OpenBackupFolder)->rect;
  EXPECT_EQ(restart.width(), 100);
  EXPECT_LT(restart.right, backups.left);
  EXPECT_EQ(canvas.text(L"%ProgramData%\\Vantorix\\Backups")->font, ui::FontId::Small);

  state.driverCards.resize(1);
  canvas = paint();
  EXPECT_EQ(canvas.text(L"Утилиты")->rect.top, bareTop + 28 + 72 + 8);
}

TEST_F(HomePage, ManyDriverCardsKeepTheTilesClearOfTheStatusLine) {
  state.driverCards.resize(8);
  const RecordingCanvas canvas = paint();
  const ui::Rect status = canvas.text(ui::kReadyText)->rect;
  for (const auto& r : state.hitRegions) EXPECT_LE(r.rect.bottom, status.top) << static_cast<int>(r.kind);
  EXPECT_FALSE(region(HitKind::OpenBackupFolder)) << "a tile wholly under the status line is not clickable";
}

TEST_F(HomePage, ADashboardTallerThanItsBodyScrollsWithTheWheel) {
  state.driverCards.resize(1);
  paint();
  ui::onMouseWheel(state, host, -120);
  EXPECT_EQ(state.scrollOffset, 0) << "a dashboard that fits does not move";

  state.driverCards.resize(8);
  RecordingCanvas canvas = paint();
  const int headingTop = canvas.text(L"Оптимизация системы")->rect.top;
  const ui::Rect status = canvas.text(ui::kReadyText)->rect;
  ASSERT_FALSE(region(HitKind::OpenBackupFolder));
  ui::onMouseWheel(state, host, -120 * 20);
  canvas = paint();
  const int scrolled = state.scrollOffset;
  EXPECT_EQ(scrolled, state.contentHeight - state.listHeight);
  EXPECT_EQ(canvas.text(L"Оптимизация системы")->rect.top, headingTop - scrolled);
  const ui::HitRegion* backups = region(HitKind::OpenBackupFolder);
  ASSERT_TRUE(backups) << "scrolled to the end, the last tile can be clicked";
  EXPECT_EQ(backups->rect.height(), 32) << "and is wholly visible";
  EXPECT_LE(backups->rect.bottom, status.top);

  paint(1280, 1400);  // the window grew: the whole dashboard fits again
  EXPECT_EQ(state.scrollOffset, 0);
}

TEST_F(HomePage, BackupFolderClickShowsGreenStatusOnHome) {
  paint();
  const ui::Point at = centre(*region(HitKind::OpenBackupFolder));
  ui::onClick(state, host, at.x, at.y);
  ASSERT_EQ(machine.shellOpens().size(), 1u);
  EXPECT_EQ(state.statusText, L"Папка бэкапов открыта");
  EXPECT_EQ(paint().text(L"Папка бэкапов открыта")->color, ui::kColorSuccess);

  machine.failShellExecute();  // and no shell window: neither route opens it
  ui::onClick(state, host, at.x, at.y);
  const std::wstring failed = L"Не удалось открыть: " + backupRoot();
  ASSERT_TRUE(paint().text(failed));
  EXPECT_EQ(paint().text(failed)->color, ui::kColorFailure);
}

TEST_F(HomePage, UnderAnotherAccountTheStatusLineSaysSoOnceAtStart) {
  struct Case {
    sim::Machine::ShellScene shell;
    const wchar_t* status;
  };
  const Case cases[] = {
      {{.window = true, .otherUser = true}, kAnotherAccountStatus},
      {{.window = true}, ui::kReadyText},
      {{}, ui::kReadyText},
  };
  for (const Case& c : cases) {
    machine.setShell(c.shell);
    forgetAccountDecision();
    ui::UiState fresh;
    ui::buildCatalogueAndSidebar(fresh);
    EXPECT_EQ(fresh.statusText, c.status);
    EXPECT_EQ(fresh.statusColor, c.status == ui::kReadyText ? ui::kColorTextDim : ui::kColorWarning);
  }
  forgetAccountDecision();
}

}  // namespace
}  // namespace vx::test
