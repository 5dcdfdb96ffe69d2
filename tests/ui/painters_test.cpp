#include <gtest/gtest.h>

#include "ui/layout.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;

class UiPainters : public UiTest {};

// A card with a long description and side effects.
class WordyTweak : public Tweak {
 public:
  WordyTweak(std::wstring description, std::wstring effects)
      : Tweak(L"perf.wordy", L"Многословный", std::move(description), TweakCategory::Performance), effects_(std::move(effects)) {}
  std::wstring sideEffects() const override { return effects_; }
  TweakState queryState() override { return TweakState::NotApplied; }
  bool apply() override { return true; }
  bool revert() override { return true; }

 private:
  std::wstring effects_;
};

TEST_F(UiPainters, SidebarMarksTheCurrentPageAndCountsTheAdvice) {
  state.currentPage = kSystemPage;
  state.recommendations.resize(4);
  const RecordingCanvas canvas = paint();
  int rows = 0;
  for (const auto& r : state.hitRegions) rows += r.kind == HitKind::SidebarItem;
  EXPECT_EQ(rows, 9);
  const ui::Rect row = region(HitKind::SidebarItem, kSystemPage)->rect;
  EXPECT_EQ(canvas.fillAt(row)->color, ui::kColorSelected);
  EXPECT_FALSE(canvas.fillAt(region(HitKind::SidebarItem, kPerformancePage)->rect));
  EXPECT_EQ(canvas.text(L"Система")->font, ui::FontId::Bold);
  EXPECT_EQ(canvas.text(L"Игры")->color, ui::kColorTextDim);
  EXPECT_EQ(canvas.text(L"4")->color, ui::kColorWhite);  // the counter pill on the assistant entry
  for (HitKind k : {HitKind::CleanupTemp, HitKind::CleanupDns, HitKind::CleanupRecycleBin}) EXPECT_TRUE(region(k));
}

TEST_F(UiPainters, HeaderChipsShowTheHardwareAndDropRamFirst) {
  state.hardware.gpuName = L"NVIDIA GeForce RTX 3070";
  state.hardware.totalRamMb = 16384;
  state.hardware.availableRamMb = 4096;
  state.hardware.memoryLoadPercent = 75;
  RecordingCanvas wide = paint(1280, 820);
  EXPECT_TRUE(wide.drew(L"NVIDIA GeForce RTX 3070"));
  EXPECT_TRUE(wide.drew(L"—"));  // no CPU name
  EXPECT_TRUE(wide.drew(L"ОЗУ (75%)"));
  EXPECT_TRUE(wide.drew(L"12 288 / 16 384 МБ"));
  RecordingCanvas narrow = paint(900, 820);
  EXPECT_TRUE(narrow.drew(L"ПРОЦЕССОР"));
  EXPECT_FALSE(narrow.drew(L"ОЗУ (75%)"));
}

TEST_F(UiPainters, BatchButtonsFollowTheSelectionOfThisPage) {
  auto a = addTweak(L"perf.a");
  addTweak(L"perf.b");
  auto other = addTweak(L"sys.c", TweakCategory::System);
  state.currentPage = kPerformancePage;

  state.selectedIds = {other->id};  // a tick on another page does not count here
  RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.drew(L"Применить все"));
  EXPECT_TRUE(canvas.drew(L"Откатить все"));
  EXPECT_TRUE(region(HitKind::ApplyAll) && region(HitKind::RevertAll));

  state.selectedIds.insert(a->id);
  canvas = paint();
  EXPECT_TRUE(canvas.drew(L"Применить выбранные (1)"));
  EXPECT_TRUE(canvas.drew(L"Снять выбор"));
  EXPECT_FALSE(region(HitKind::ApplyAll));
  EXPECT_EQ(region(HitKind::ApplySelected)->rect.width(), 220);
  EXPECT_EQ(region(HitKind::ClearSelection)->rect.width(), 120);
}

TEST_F(UiPainters, CardRegionsAreClippedToTheListAndVanishWhenScrolledAway) {
  for (int i = 0; i < 12; ++i) addTweak(L"perf." + std::to_wstring(i));
  state.currentPage = kPerformancePage;
  paint();
  const ui::Rect list = ui::categoryPageLayout(ui::frameLayout(1280, 820, 96).content, false, 96).list;
  EXPECT_EQ(state.contentHeight, 12 * 80);  // twelve 70 px cards with 10 px gaps
  for (const auto& r : state.hitRegions) {
    if (r.kind != HitKind::CardButton && r.kind != HitKind::CardToggle && r.kind != HitKind::CardCheckbox) continue;
    EXPECT_GE(r.rect.top, list.top);
    EXPECT_LE(r.rect.bottom, list.bottom);
  }
  EXPECT_TRUE(region(HitKind::CardButton, 0));
  EXPECT_FALSE(region(HitKind::CardButton, 11));  // below the visible list

  state.scrollOffset = 3 * 80 + 30;  // card 3 is partly above the list top
  paint();
  EXPECT_FALSE(region(HitKind::CardButton, 0));
  EXPECT_FALSE(region(HitKind::CardButton, 2));
  const ui::HitRegion* partly = region(HitKind::CardButton, 3);
  ASSERT_TRUE(partly);
  EXPECT_EQ(partly->rect.top, list.top);  // cut at the list, never over the profile row
  EXPECT_LT(partly->rect.height(), 34);
}

TEST_F(UiPainters, CardHeightComesFromItsWrappedTextsAtEachDpi) {
  state.catalogue.push_back(std::make_shared<WordyTweak>(std::wstring(320, L'д'), std::wstring(100, L'е')));
  state.currentPage = kPerformancePage;
  RecordingCanvas canvas = paint();
  // 1018 px list, 744 px text column: 106 characters a line, so 4 lines of description (measured
  // 38 px wider than drawn it would be 3, and the last line would be cut off); the side
  // effects (34 + 100 characters in 728 px) take 2 lines.
  EXPECT_EQ(state.contentHeight, (32 + 8 + 4) + 28 + 64 + 22 + 10);
  const auto sideLine = canvas.text(L"При применении не будет работать: " + std::wstring(100, L'е'));
  ASSERT_TRUE(sideLine);
  EXPECT_EQ(sideLine->color, ui::kColorWarning);
  EXPECT_EQ(canvas.text(std::wstring(320, L'д'))->rect.width(), ui::cardTextWidth(1018, 96));

  state.dpi = 144;  // the measured heights are not reused for another DPI
  canvas = paint();
  const int list = ui::categoryPageLayout(ui::frameLayout(1280, 820, 144).content, false, 144).list.width();
  const int column = ui::cardTextWidth(list, 144);
  const int description = canvas.measureTextHeight(std::wstring(320, L'д'), column, ui::FontId::Body);
  const int effects = canvas.measureTextHeight(L"При применении не будет работать: " + std::wstring(100, L'е'),
                                               column - 24, ui::FontId::Body);
  EXPECT_EQ(state.contentHeight, ui::cardHeight(description, effects, 144) + 15);
}

TEST_F(UiPainters, EmptyCategoryHasItsFrameButNoCards) {
  state.currentPage = kPerformancePage;
  state.scrollOffset = 0;
  const RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.drew(L"\u26A1  Производительность"));
  EXPECT_TRUE(region(HitKind::ProfileBasic) && region(HitKind::ProfileOptimal) && region(HitKind::ProfileMaximum));
  EXPECT_EQ(state.contentHeight, 0);
  EXPECT_FALSE(region(HitKind::CardButton));
}

TEST_F(UiPainters, CardsShowTheLastKnownStateAndNeverQuery) {
  auto applied = addTweak(L"perf.on");
  auto pending = addTweak(L"perf.off");
  applied->state = TweakState::Applied;
  state.currentPage = kPerformancePage;

  RecordingCanvas canvas = paint();
  EXPECT_EQ(applied->queries + pending->queries, 0);
  auto dotOf = [&](const RecordingCanvas& c, int index) {
    const ui::Rect list = ui::categoryPageLayout(ui::frameLayout(1280, 820, 96).content, false, 96).list;
    return c.fillAt(ui::cardLayout(list, list.top + index * 80, 70, 96).dot)->color;
  };
  EXPECT_EQ(dotOf(canvas, 0), ui::kColorTextDim);  // nothing known yet: Undetermined

  cache.refresh(*applied);
  cache.refresh(*pending);
  canvas = paint();
  EXPECT_EQ(dotOf(canvas, 0), ui::kColorSuccess);
  EXPECT_EQ(dotOf(canvas, 1), ui::kColorFailure);
  EXPECT_TRUE(canvas.drew(L"Откатить"));

  cache.clear();  // after an action: stale, but no grey flash until the new state arrives
  canvas = paint();
  EXPECT_EQ(dotOf(canvas, 0), ui::kColorSuccess);
  EXPECT_EQ(applied->queries, 1);
}

TEST_F(UiPainters, AggressiveCardHasABadgeWithAQuestionMark) {
  auto risky = addTweak(L"perf.risky");
  risky->aggressive = true;
  addTweak(L"perf.calm");
  state.currentPage = kPerformancePage;
  const RecordingCanvas canvas = paint();
  EXPECT_EQ(canvas.text(L"АГРЕССИВНО")->color, ui::kColorWhite);
  const ui::HitRegion* badge = region(HitKind::AggressiveBadge);
  ASSERT_TRUE(badge);
  EXPECT_EQ(badge->index, 0);
  EXPECT_EQ(badge->rect.width(), badge->rect.height());  // the circle
  const auto title = canvas.text(L"Твик perf.risky");
  EXPECT_LE(title->rect.right, badge->rect.left - 6 - 8);
}

// The card draws its parts where its layout puts them: the painter adds no geometry of its own.
TEST_F(UiPainters, CardDrawsItsPartsWhereTheLayoutPutsThem) {
  auto risky = addTweak(L"perf.risky");
  risky->aggressive = true;
  risky->state = TweakState::Applied;
  cache.refresh(*risky);
  state.selectedIds = {L"perf.risky"};
  state.currentPage = kPerformancePage;
  const RecordingCanvas canvas = paint();
  const ui::Rect list = ui::categoryPageLayout(ui::frameLayout(1280, 820, 96).content, false, 96).list;
  ui::CardContent content{RecordingCanvas().measureTextHeight(risky->description, ui::cardTextWidth(list.width(), 96), ui::FontId::Body), 0};
  content.badgeText = RecordingCanvas().measureText(L"АГРЕССИВНО", ui::FontId::Tiny);
  content.toggleOn = true;
  const ui::CardLayout card = ui::cardLayout(list, list.top, content, 96);

  EXPECT_EQ(canvas.fillAt(card.helpMark)->color, ui::kColorControl);
  EXPECT_EQ(canvas.text(L"?")->rect, card.helpMark);
  EXPECT_EQ(canvas.fillAt(card.badge)->color, ui::kColorFailure);
  EXPECT_EQ(canvas.text(L"АГРЕССИВНО")->rect, card.badge);
  EXPECT_EQ(canvas.text(risky->title)->rect, card.title);
  EXPECT_EQ(canvas.text(risky->description)->rect, card.description);
  EXPECT_EQ(canvas.fillAt(card.toggle)->color, ui::kColorAccent);
  EXPECT_EQ(canvas.fillAt(card.knob)->color, ui::kColorWhite);
  const std::vector<DrawCall> ticks = canvas.all(DrawCall::Polyline);
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(ticks[0].points, (std::vector<ui::Point>{card.tick.begin(), card.tick.end()}));
  EXPECT_EQ(region(HitKind::AggressiveBadge, 0)->rect, card.helpMark);
  EXPECT_EQ(state.contentHeight, card.advance);
}

}  // namespace
}  // namespace vx::test
