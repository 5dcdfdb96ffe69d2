// The Assistant page on the recording canvas: the recommendation cards, the congratulation line,
// the chat bubbles laid out from the bottom with their apply buttons, the chat wheel, the input
// box placement and the engine button.
#include <gtest/gtest.h>

#include "ui/assistant_layout.h"
#include "ui/input_handlers.h"
#include "ui/layout.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;


class AssistantPage : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    state.currentPage = kAssistantPage;
  }
  ui::AssistantPageLayout layout() const { return ui::assistantPageLayout(ui::frameLayout(1280, 820, 96).content, 96); }
  void say(bool fromUser, std::wstring text, std::vector<std::wstring> ids = {}) {
    state.chat.push_back({fromUser, std::move(text), std::move(ids)});
  }
};

TEST_F(AssistantPage, RecommendationCardsHaveTheirTagAndHeight) {
  struct Case {
    int priority;
    const wchar_t* tag;
    ui::Color colour;
  };
  const Case cases[] = {{0, L"ВАЖНО", ui::kColorFailure}, {1, L"СОВЕТ", ui::kColorWarning},
                        {2, L"ОПЦИЯ", ui::kColorInfo},    {7, L"", ui::kColorTextDim}};
  const ui::Rect list = layout().list;
  const int T = ui::recommendationTextWidth(list.width(), 96);
  EXPECT_EQ(T, list.width() - 200);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.priority);
    // Three lines at the recording canvas's metrics.
    const Recommendation rec{L"Заголовок", std::wstring(static_cast<std::size_t>(T / 7) * 2 + 1, L'ж'), c.priority, {L"x"}};
    RecordingCanvas canvas;
    state.hitRegions.clear();
    const int used = ui::paintRecommendation(canvas, state, list, rec, list.top, 0);
    EXPECT_EQ(used, 3 * 16 + 88 + 10);
    const ui::Rect tag{list.left + 20, list.top + 16, list.left + 80, list.top + 36};
    EXPECT_EQ(canvas.fillAt(tag)->color, c.colour);
    EXPECT_EQ(canvas.fillAt({list.left, list.top + 12, list.left + 4, list.top + used - 10 - 12})->color, c.colour);
    EXPECT_EQ(canvas.calls[3].text, c.tag);
    ASSERT_EQ(state.hitRegions.size(), 1u);
    EXPECT_EQ(state.hitRegions[0].rect, (ui::Rect{list.right - 160, list.top + (used - 10 - 36) / 2, list.right - 20,
                                                  list.top + (used - 10 - 36) / 2 + 36}));
  }
}

TEST_F(AssistantPage, CardsScrollInTheListAndHoverHighlights) {
  for (int i = 0; i < 6; ++i) state.recommendations.push_back({L"R" + std::to_wstring(i), L"текст", 1, {L"perf.a"}});
  paint();
  const ui::Rect list = layout().list;
  for (const auto& r : state.hitRegions) {
    if (r.kind != HitKind::RecommendationApply) continue;
    EXPECT_LE(r.rect.bottom, list.bottom);
  }
  EXPECT_FALSE(region(HitKind::RecommendationApply, 5)) << "a card below the list is not clickable";
  EXPECT_EQ(state.contentHeight, 6 * (16 + 88 + 10));

  const ui::Point at = centre(*region(HitKind::RecommendationApply, 0));
  ui::onMouseMove(state, host, at.x, at.y);
  EXPECT_EQ(state.hoverIndex, 0);
  EXPECT_EQ(paint().fillAt({list.left, list.top, list.right, list.top + 104})->color, ui::kColorControl);

  ui::onMouseWheel(state, host, -120, {list.left + 5, list.top + 5});
  EXPECT_EQ(state.scrollOffset, 60);
  EXPECT_EQ(state.chatScroll, 0);
}

TEST_F(AssistantPage, NoRecommendationsShowTheCongratulation) {
  const RecordingCanvas canvas = paint();
  const auto line = canvas.text(L"\u2728  Все рекомендуемые твики уже применены. Так держать!");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->color, ui::kColorSuccess);
  EXPECT_EQ(state.contentHeight, 0);
  EXPECT_FALSE(region(HitKind::RecommendationApply));
}

TEST_F(AssistantPage, InputBoxAndSendButtonArePlacedOnlyOnThisPage) {
  paint();
  const ui::AssistantPageLayout p = layout();
  EXPECT_EQ(state.inputBoxRect, p.inputBox);
  EXPECT_EQ(state.inputBoxRect.height(), 40);
  EXPECT_EQ(region(HitKind::SendQuestion)->rect, (ui::Rect{p.inputBox.right + 6, p.inputBox.top, p.chatPanel.right - 12,
                                                           p.chatPanel.bottom - 12}));
  state.currentPage = kHomePage;
  paint();
  EXPECT_TRUE(state.inputBoxRect.empty());
}

TEST_F(AssistantPage, BubblesFromTheBottomWithTheirWidths) {
  say(false, L"Привет");
  say(true, L"ок");                                 // short: 120 wide
  say(true, std::wstring(400, L'д'));              // long: never wider than the widest bubble
  say(false, L"Вот что можно сделать", {L"perf.a", L"perf.b"});
  const RecordingCanvas canvas = paint();
  const ui::Rect m = layout().messageArea;
  const int B = m.width() - 80;

  const auto newest = canvas.text(L"Вот что можно сделать");
  ASSERT_TRUE(newest);
  const ui::HitRegion* apply = region(HitKind::ChatApply);
  ASSERT_TRUE(apply);
  EXPECT_EQ(apply->index, 3);
  EXPECT_EQ(apply->rect.bottom, m.bottom - 4 - 4);  // 36 reserved below the bubble, the button 4 to 32 of it
  EXPECT_EQ(apply->rect.width(), 180);
  const ui::Rect assistantBubble{m.left + 8, newest->rect.top - 8, m.left + 20 + B, newest->rect.bottom + 8};
  EXPECT_EQ(canvas.fillAt(assistantBubble)->color, ui::kColorControl);

  const auto shortOne = canvas.text(L"ок");
  EXPECT_EQ(shortOne->rect.right - shortOne->rect.left + 20, 120);
  EXPECT_EQ(shortOne->rect.right + 10, m.right - 8);
  const auto longOne = canvas.text(std::wstring(400, L'д'));
  EXPECT_EQ(longOne->rect.width() + 20, B);
  EXPECT_EQ(canvas.fillAt({longOne->rect.left - 10, longOne->rect.top - 8, longOne->rect.right + 10,
                           longOne->rect.bottom + 8})->color, ui::kColorAccent);
  EXPECT_FALSE(region(HitKind::ChatApply, 0)) << "a reply without tweaks has no button";
}

TEST_F(AssistantPage, OldBubblesStop200AboveTheAreaAndButtonsAreClippedToIt) {
  const ui::Rect m{100, 300, 700, 500};
  std::vector<ui::ChatMeasure> chat(30, ui::ChatMeasure{false, true, 16, 0});  // 36 + 36 high, 8 apart
  const auto bubbles = ui::chatBubbles(m, chat, 0, 96);
  ASSERT_FALSE(bubbles.empty());
  EXPECT_EQ(bubbles.front().message, 29);
  // Each bubble started while the running bottom was at most 200 above the area, the next would not.
  const int lastBottom = bubbles.back().button.bottom;
  EXPECT_GE(lastBottom, m.top - 200);
  EXPECT_LT(bubbles.back().bubble.top - 8, m.top - 200);
  EXPECT_LT(bubbles.size(), chat.size());

  // On the page: a button half above the message area is clipped to it, one wholly above is gone.
  for (int i = 0; i < 12; ++i) say(false, L"ответ " + std::to_wstring(i), {L"perf.a"});
  paint();
  const ui::Rect area = layout().messageArea;
  int buttons = 0;
  for (const auto& r : state.hitRegions) {
    if (r.kind != HitKind::ChatApply) continue;
    ++buttons;
    EXPECT_GE(r.rect.top, area.top);
    EXPECT_LE(r.rect.bottom, area.bottom);
  }
  EXPECT_GT(buttons, 0);
  EXPECT_LT(buttons, 12);
}

TEST_F(AssistantPage, WheelOverTheChatScrollsBackBetweenNewestAndOldest) {
  for (int i = 0; i < 20; ++i) say(i % 2 == 0, L"сообщение " + std::to_wstring(i));
  paint();
  const ui::Rect panel = layout().chatPanel;
  const ui::Point inChat{panel.left + 50, panel.top + 60};
  ui::onMouseWheel(state, host, 120, inChat);  // away from the user: older messages
  EXPECT_EQ(state.chatScroll, 60);
  EXPECT_EQ(state.scrollOffset, 0);
  EXPECT_FALSE(paint().drew(L"сообщение 19")) << "the newest moved below the area";

  ui::onMouseWheel(state, host, 120 * 100, inChat);
  EXPECT_EQ(state.chatScroll, state.chatScrollMax);
  EXPECT_GT(state.chatScrollMax, 0);
  const RecordingCanvas top = paint();
  const auto oldest = top.text(L"сообщение 0");
  ASSERT_TRUE(oldest) << "the oldest message is laid out when scrolled back";
  EXPECT_EQ(oldest->rect.top - 8, layout().messageArea.top + 4);

  ui::onMouseWheel(state, host, -120 * 100, inChat);
  EXPECT_EQ(state.chatScroll, 0);
  EXPECT_TRUE(paint().drew(L"сообщение 19"));

  // A short chat cannot be scrolled.
  state.chat.resize(2);
  paint();
  ui::onMouseWheel(state, host, 120, inChat);
  EXPECT_EQ(state.chatScroll, 0);
}

TEST_F(AssistantPage, ChatApplyStartsTheReplysTweaksInOrder) {
  auto a = addTweak(L"perf.a");
  auto b = addTweak(L"perf.b");
  say(false, L"Вот", {L"perf.b", L"perf.a"});
  paint();
  const ui::Point at = centre(*region(HitKind::ChatApply, 0));
  ui::onClick(state, host, at.x, at.y);
  ASSERT_EQ(host.resultCount(), 1u);
  EXPECT_EQ(a->applies, 1);
  EXPECT_EQ(b->applies, 1);
}

TEST_F(AssistantPage, EngineButtonSwitchesTheBoosterAndTheProfileLineShowsIt) {
  BoosterEngine engine;
  state.booster = &engine;
  state.hardware.isSsd = true;
  state.hardware.totalRamMb = 16384;
  RecordingCanvas canvas = paint();
  EXPECT_EQ(canvas.text(L"Включить движок")->rect.width(), 170);
  EXPECT_TRUE(canvas.drew(L"Профиль: SSD  •  Десктоп  •  ОЗУ: 16 ГБ"));

  ui::Point at = centre(*region(HitKind::BoosterToggle));
  ui::onClick(state, host, at.x, at.y);
  EXPECT_TRUE(engine.isRunning());
  EXPECT_EQ(state.statusText, L"Движок запущен (таймер 0.5ms + Standby cleaner)");
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
  canvas = paint();
  EXPECT_TRUE(canvas.drew(L"Движок: ВКЛ"));
  EXPECT_FALSE(canvas.drew(L"Включить движок"));
  bool statusInProfile = false;
  for (const auto& c : canvas.all(DrawCall::Text))
    statusInProfile |= c.text.rfind(L"Профиль: SSD  •  Десктоп  •  ОЗУ: 16 ГБ  •  Движок: вкл", 0) == 0;
  EXPECT_TRUE(statusInProfile);

  at = centre(*region(HitKind::BoosterToggle));
  ui::onClick(state, host, at.x, at.y);
  EXPECT_FALSE(engine.isRunning());
  EXPECT_EQ(state.statusText, L"Движок выключен");
  EXPECT_EQ(state.statusColor, ui::kColorTextDim);
}

TEST_F(AssistantPage, EngineThatCannotStartSaysSo) {
  BoosterEngine engine({}, pauseInSlices, [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  state.booster = &engine;
  paint();
  const ui::Point at = centre(*region(HitKind::BoosterToggle));
  ui::onClick(state, host, at.x, at.y);
  EXPECT_FALSE(engine.isRunning());
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
  EXPECT_TRUE(paint().drew(L"Включить движок"));
}

}  // namespace
}  // namespace vx::test
