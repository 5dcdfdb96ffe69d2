// The card title's tooltip "Что изменится:": the half-second delay, the read off the UI thread
// (lines first, values when they arrive), eight lines at most, the revert of an applied card,
// one tooltip at a time, and a box that never covers the title line and its badge.
#include "ui/title_tooltip.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ui/background_reads.h"
#include "ui/input_handlers.h"
#include "ui/layout.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;

constexpr const wchar_t* kKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";

// A fake tweak that describes what it writes: one DWORD per value name.
class DescribedFake : public FakeTweak {
 public:
  using FakeTweak::FakeTweak;
  std::vector<std::wstring> values;
  int describes = 0;
  TweakChanges changes() override {
    ++describes;
    TweakChanges out;
    for (const std::wstring& name : values) {
      TweakChange c;
      c.key = kKey;
      c.valueName = name;
      c.onApply = RegValueImage::dword(60);
      out.push_back(c);
    }
    return out;
  }
};

class TitleTooltipTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    state.runOffUiThread = [this](std::function<void()> task) { posted.push_back(std::move(task)); };
    state.titleTooltip.startTimer = [this](int ms) { timers.push_back(ms); };
    // The window handles its message at once; what the tooltip shows after each delivery is kept.
    state.readsReady = [this] {
      ui::onBackgroundReadsReady(state, host);
      shownAfterEachRead.push_back(ui::visibleTitleTooltip(state));
    };
    state.currentPage = kPerformancePage;
  }

  std::shared_ptr<DescribedFake> addDescribed(const std::wstring& id, std::vector<std::wstring> values) {
    auto tweak = std::make_shared<DescribedFake>(id);
    tweak->values = std::move(values);
    state.catalogue.push_back(tweak);
    return tweak;
  }

  ui::Point titleOf(int index) {
    const ui::HitRegion* r = region(HitKind::CardTitle, index);
    EXPECT_TRUE(r) << "no title region for card " << index;
    return r ? centre(*r) : ui::Point{};
  }

  void hoverTitle(int index) {
    paint();
    const ui::Point p = titleOf(index);
    ui::onMouseMove(state, host, p.x, p.y);
  }

  // What the refresher's thread does with the posted reads.
  void runPosted() {
    auto tasks = std::move(posted);
    posted.clear();
    for (auto& task : tasks) task();
  }

  std::vector<std::function<void()>> posted;
  std::vector<int> timers;
  std::vector<std::wstring> shownAfterEachRead;
};

TEST_F(TitleTooltipTest, ShowsAfterTheDelayWithValuesFromTheRefreshersRead) {
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  auto tweak = addDescribed(L"pro.gpu_tdr", {L"TdrDelay"});
  const std::uint64_t readsBefore = machine.registryReads();
  hoverTitle(0);
  // The hover asks for the read and starts the half-second timer; the UI thread reads nothing.
  EXPECT_EQ(timers, std::vector<int>{ui::kTitleTooltipDelayMs});
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(tweak->describes, 0);
  EXPECT_EQ(machine.registryReads(), readsBefore);
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty());

  ui::onTitleTooltipTimer(state, host);
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty()) << "nothing to show before the read arrives";
  runPosted();
  const std::wstring path = std::wstring(L"HKLM\\") + kKey + L"  TdrDelay: ";
  ASSERT_EQ(shownAfterEachRead.size(), 2u);
  EXPECT_EQ(shownAfterEachRead[0], L"Что изменится:\n" + path + L"→ 60 (REG_DWORD)");
  EXPECT_EQ(shownAfterEachRead[1], L"Что изменится:\n" + path + L"7 → 60 (REG_DWORD)");
  EXPECT_GT(machine.registryReads(), readsBefore);

  const RecordingCanvas canvas = paint();
  const auto text = canvas.text(shownAfterEachRead[1]);
  ASSERT_TRUE(text);
  // Drawn last, with the badge tooltip's box and a neutral accent bar instead of its red one.
  EXPECT_EQ(canvas.calls.back().text, shownAfterEachRead[1]);
  const ui::Rect box{text->rect.left - 14, text->rect.top - 10, text->rect.right + 10, text->rect.bottom + 10};
  EXPECT_EQ(box.width(), ui::kTooltipWidthDip);
  const auto bar = canvas.fillAt({box.left, box.top + 8, box.left + 3, box.bottom - 8});
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->color, ui::kColorTextDim);
  EXPECT_EQ(canvas.fillAt(box)->color, ui::kColorControl);
}

TEST_F(TitleTooltipTest, EightLinesThenHowManyMore) {
  std::vector<std::wstring> names;
  for (int i = 0; i < 11; ++i) names.push_back(L"V" + std::to_wstring(i));
  addDescribed(L"perf.many", names);
  hoverTitle(0);
  ui::onTitleTooltipTimer(state, host);
  runPosted();
  std::wstring expected = L"Что изменится:";
  for (int i = 0; i < 8; ++i) expected += std::wstring(L"\nHKLM\\") + kKey + L"  V" + std::to_wstring(i) + L": нет → 60 (REG_DWORD)";
  expected += L"\n…и ещё 3";
  EXPECT_EQ(ui::visibleTitleTooltip(state), expected);
}

TEST_F(TitleTooltipTest, AnAppliedCardShowsWhatItsRevertWrites) {
  auto tweak = addDescribed(L"pro.gpu_tdr", {L"TdrDelay"});
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 60);
  cache.store(tweak->id, TweakState::Applied);
  hoverTitle(0);
  ui::onTitleTooltipTimer(state, host);
  runPosted();
  EXPECT_EQ(ui::visibleTitleTooltip(state), std::wstring(L"Что изменится:\nHKLM\\") + kKey + L"  TdrDelay: 60 → нет (REG_DWORD)");
}

TEST_F(TitleTooltipTest, LeavingTheTitleOrClickingHidesItAndALateReadIsDropped) {
  addDescribed(L"perf.first", {L"A"});
  addDescribed(L"perf.second", {L"B"});
  hoverTitle(0);
  ui::onTitleTooltipTimer(state, host);
  runPosted();
  ASSERT_FALSE(ui::visibleTitleTooltip(state).empty());

  // Off the title (the rest of the card): gone.
  ui::onMouseMove(state, host, 1, 1);
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty());

  // The pointer moves on to the second title before the first read is back: that read is not shown
  // for it, and the second title waits for its own half second.
  hoverTitle(0);
  hoverTitle(1);
  ASSERT_EQ(posted.size(), 2u);
  posted[0]();
  ui::onTitleTooltipTimer(state, host);
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty());
  posted[1]();
  EXPECT_NE(ui::visibleTitleTooltip(state).find(L"  B: "), std::wstring::npos);

  // A click (it may change what the tweak would do next) hides it until the pointer rests again.
  const ui::Point p = titleOf(1);
  ui::onClick(state, host, p.x, p.y);
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty());
}

TEST_F(TitleTooltipTest, OneTooltipAtATimeAndNeverOverTheBadge) {
  auto tweak = addDescribed(L"perf.aggressive", {L"A"});
  tweak->aggressive = true;
  paint();
  // At the title's top edge the box, 16 below the pointer, would cover the badge beside the title.
  const ui::Rect titleRect = region(HitKind::CardTitle, 0)->rect;
  ui::onMouseMove(state, host, titleRect.right - 4, titleRect.top + 1);
  ui::onTitleTooltipTimer(state, host);
  runPosted();
  const std::wstring text = ui::visibleTitleTooltip(state);
  ASSERT_FALSE(text.empty());
  const ui::Rect badge = region(HitKind::AggressiveBadge, 0)->rect;
  const ui::Rect title = region(HitKind::CardTitle, 0)->rect;
  const auto drawn = paint().text(text);
  ASSERT_TRUE(drawn);
  const ui::Rect box{drawn->rect.left - 14, drawn->rect.top - 10, drawn->rect.right + 10, drawn->rect.bottom + 10};
  EXPECT_TRUE(ui::intersect(box, badge).empty());
  EXPECT_TRUE(ui::intersect(box, title).empty());

  // On the badge its own explanation shows, and the title's tooltip is gone.
  const ui::Point b = centre(*region(HitKind::AggressiveBadge, 0));
  ui::onMouseMove(state, host, b.x, b.y);
  EXPECT_FALSE(state.tooltipText.empty());
  EXPECT_TRUE(ui::visibleTitleTooltip(state).empty());
  EXPECT_FALSE(paint().drew(text));
}

TEST(TitleTooltipRect, KeepsOffTheTitleLine) {
  const ui::Rect client{0, 0, 1280, 820};
  const ui::Rect line{300, 400, 900, 424};
  struct Case {
    const char* name;
    ui::Point cursor;
    ui::Rect title;
    ui::Rect expected;
  } cases[] = {
      {"below the pointer, clear of the line", {500, 420}, line, {516, 436, 876, 496}},
      {"no title line: as the badge tooltip", {500, 410}, {}, {516, 426, 876, 486}},
      {"pointer high on the line: moved below it", {500, 402}, line, {516, 428, 876, 488}},
      {"no room below: above the line", {500, 780}, {300, 770, 900, 794}, {516, 706, 876, 766}},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::titleTooltipRect(c.cursor, 40, client, c.title, 96), c.expected) << c.name;
}

}  // namespace
}  // namespace vx::test
