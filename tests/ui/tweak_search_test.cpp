// Search across all tweaks in the window: matching in Russian and English in any case, the search
// page with its title and the category on each card, card actions on the results, and what Esc,
// Ctrl+F, clearing the box and a sidebar click do.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "catalog/build_catalog.h"
#include "ui/input_handlers.h"
#include "ui/tweak_search.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;

// A tweak with its own title and description, applied and reverted in memory.
class TextTweak : public Tweak {
 public:
  TextTweak(const wchar_t* id, const wchar_t* title, const wchar_t* description, TweakCategory category)
      : Tweak(id, title, description, category) {}
  TweakState state = TweakState::NotApplied;
  TweakState queryState() override { return state; }
  bool apply() override {
    state = TweakState::Applied;
    return true;
  }
  bool revert() override {
    state = TweakState::NotApplied;
    return true;
  }
};

class TweakSearchTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    for (auto& t : tweaks) state.catalogue.push_back(t);
  }
  std::vector<std::wstring> ids(const std::vector<TweakPtr>& found) const {
    std::vector<std::wstring> out;
    for (const auto& t : found) out.push_back(t->id);
    return out;
  }
  void type(const std::wstring& text) {
    host.search = text;
    ui::onSearchTextChanged(state, host, text);
  }

  std::vector<std::shared_ptr<TextTweak>> tweaks{
      std::make_shared<TextTweak>(L"perf.shader_cache", L"Кэш шейдеров DirectX", L"Больше места под кэш.", TweakCategory::Performance),
      std::make_shared<TextTweak>(L"perf.hpet_off", L"Отключить HPET", L"Таймер событий высокой точности.", TweakCategory::Performance),
      std::make_shared<TextTweak>(L"net.tcp_nodelay", L"Без задержки TCP", L"Алгоритм Нейгла выключен.", TweakCategory::Network),
      std::make_shared<TextTweak>(L"pro.shader_cache", L"Pro: размер КЭША", L"Shader cache на 10 ГБ.", TweakCategory::Pro),
      std::make_shared<TextTweak>(L"system.long_paths", L"Длинные пути", L"Ёмкие имена файлов.", TweakCategory::System),
  };
};

TEST_F(TweakSearchTest, MatchesTitleDescriptionOrIdInAnyCaseInCatalogueOrder) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> found;
  };
  const Case cases[] = {
      {L"кэш", {L"perf.shader_cache", L"pro.shader_cache"}},       // Cyrillic in two cases
      {L"КЭШ", {L"perf.shader_cache", L"pro.shader_cache"}},
      {L"hpet", {L"perf.hpet_off"}},                               // Latin in the title
      {L"SHADER", {L"perf.shader_cache", L"pro.shader_cache"}},    // id and description
      {L"нейгла", {L"net.tcp_nodelay"}},                           // description only
      {L"ёмкие", {L"system.long_paths"}},                          // Ё folds like the rest
      {L"  tcp ", {L"net.tcp_nodelay"}},                           // blanks around are ignored
      {L"zzz", {}},
      {L"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ids(ui::searchMatches(state.catalogue, c.text)), c.found) << toUtf8(c.text);
}

TEST_F(TweakSearchTest, SearchPageShowsTheTitleAndEveryMatchWithItsCategory) {
  state.currentPage = kPerformancePage;
  type(L"кэш");
  const RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.drew(L"Поиск: «кэш»"));
  EXPECT_TRUE(canvas.drew(L"Кэш шейдеров DirectX"));
  EXPECT_TRUE(canvas.drew(L"Pro: размер КЭША"));
  EXPECT_FALSE(canvas.drew(L"Отключить HPET"));  // its own page's other card is not shown
  // The category names on the cards, below the header (the sidebar draws the same words in its
  // own colour).
  std::vector<std::wstring> labels;
  for (const auto& call : canvas.all(DrawCall::Text))
    if (call.color == ui::kColorInfo && call.font == ui::FontId::Tiny && call.rect.top > state.searchBoxRect.bottom)
      labels.push_back(call.text);
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Производительность", L"Pro"}));
  EXPECT_FALSE(canvas.drew(L"Профили:"));
  EXPECT_TRUE(region(HitKind::CardButton, 1));
  EXPECT_FALSE(region(HitKind::CardButton, 2));
  // The search box lies under the subtitle, in the header's title area.
  EXPECT_EQ(state.searchBoxRect, (ui::Rect{14 + 24, 14 + 78, 14 + 344, 14 + 106}));
}

TEST_F(TweakSearchTest, CardActionsOnTheResultsActOnTheFoundTweak) {
  state.currentPage = 0;  // Home was open
  type(L"кэш");
  paint();
  ui::onClick(state, host, centre(*region(HitKind::CardButton, 1)).x, centre(*region(HitKind::CardButton, 1)).y);
  EXPECT_EQ(tweaks[3]->state, TweakState::Applied);  // the Pro card, second result
  EXPECT_EQ(tweaks[0]->state, TweakState::NotApplied);
  EXPECT_EQ(state.statusText, L"Pro: размер КЭША: применено");
  paint();
  ui::onClick(state, host, centre(*region(HitKind::CardCheckbox, 0)).x, centre(*region(HitKind::CardCheckbox, 0)).y);
  EXPECT_EQ(state.selectedIds, std::set<std::wstring>{L"perf.shader_cache"});
}

TEST_F(TweakSearchTest, ClearingReturnsToThePageThatWasOpenAndASidebarClickEndsTheSearch) {
  state.currentPage = kSystemPage;
  state.scrollOffset = 90;
  type(L"hpet");
  EXPECT_EQ(state.scrollOffset, 0);
  type(L"");
  EXPECT_FALSE(state.searching());
  EXPECT_EQ(state.currentPage, kSystemPage);
  EXPECT_EQ(state.scrollOffset, 90);
  EXPECT_FALSE(paint().drew(L"Поиск: «hpet»"));

  type(L"hpet");
  paint();
  const ui::HitRegion* network = region(HitKind::SidebarItem, 5);
  ASSERT_TRUE(network);
  ui::onClick(state, host, centre(*network).x, centre(*network).y);
  EXPECT_FALSE(state.searching());
  EXPECT_EQ(host.search, L"");  // the box was emptied
  EXPECT_EQ(state.currentPage, 5);
  EXPECT_FALSE(paint().drew(L"Поиск: «hpet»"));
}

TEST_F(TweakSearchTest, CtrlFFocusesTheBoxAndEscClearsIt) {
  state.currentPage = kPerformancePage;
  EXPECT_TRUE(ui::onWindowKey(state, host, ui::WindowKey::F, true));
  EXPECT_EQ(host.searchFocused, 1);
  EXPECT_FALSE(ui::onWindowKey(state, host, ui::WindowKey::F, false));  // a plain F is typing
  EXPECT_EQ(host.searchFocused, 1);
  EXPECT_FALSE(ui::onWindowKey(state, host, ui::WindowKey::Escape, false));  // nothing to clear

  type(L"tcp");
  EXPECT_TRUE(ui::onWindowKey(state, host, ui::WindowKey::Escape, false));
  EXPECT_EQ(host.search, L"");
  EXPECT_FALSE(state.searching());
  EXPECT_EQ(state.currentPage, kPerformancePage);
  EXPECT_FALSE(ui::onWindowKey(state, host, ui::WindowKey::Other, true));
}

// The whole catalogue, as the window's search e2e types it: "кэш" finds the Pro shader cache and
// the game shader cache cards (and the system cache), in catalogue order.
TEST(TweakSearchCatalogue, KeshFindsTheShaderCachesOfTwoCategories) {
  sim::machine().reset();
  std::vector<std::wstring> found;
  for (const auto& t : ui::searchMatches(buildCatalog(), L"кэш")) found.push_back(t->id + L" " + categoryLabel(t->category));
  EXPECT_EQ(found, (std::vector<std::wstring>{L"perf.shader_cache Pro", L"perf.system_cache Pro",
                                              L"game.clear_shadercache Игры"}));
}

}  // namespace
}  // namespace vx::test
