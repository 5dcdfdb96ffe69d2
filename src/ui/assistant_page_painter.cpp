// The Assistant page: the advice cards above, the chat panel with the input box below. The input
// box is a native control: this painter records where it goes, and the window moves it there after
// every paint of this page. The bubbles come from the chat layout, measured once per message.
#include "ui/assistant_layout.h"
#include "ui/draw_helpers.h"
#include "ui/hit_regions.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

// The tag and bar colour of a priority: 0 important, 1 tip, 2 option, anything else dim.
Color priorityColor(int priority) {
  constexpr Color kColors[] = {kColorFailure, kColorWarning, kColorInfo};
  return priority >= 0 && priority < 3 ? kColors[priority] : kColorTextDim;
}

std::wstring profileLine(const UiState& state) {
  const HardwareProfile& hw = state.hardware;
  std::wstring line = L"Профиль: " + std::wstring(hw.isSsd ? L"SSD" : L"HDD") + L"  •  " +
                      (hw.isLaptop ? L"Ноутбук" : L"Десктоп") + L"  •  ОЗУ: " + std::to_wstring(hw.totalRamMb / 1024) +
                      L" ГБ";
  if (hw.gpuModern) line += L"  •  Современный GPU";
  if (state.booster && state.booster->isRunning()) line += L"  •  " + state.booster->statusText();
  return line;
}

// The sizes of every message for this bubble width, measured once per message.
std::vector<ChatMeasure> measureChat(Canvas& canvas, UiState& state, int bubbleWidth) {
  state.chatSizes.resize(state.chat.size());
  std::vector<ChatMeasure> out;
  out.reserve(state.chat.size());
  for (std::size_t i = 0; i < state.chat.size(); ++i) {
    const ChatMessage& msg = state.chat[i];
    UiState::ChatTextSize& size = state.chatSizes[i];
    if (size.bubbleWidth != bubbleWidth || size.dpi != state.dpi || size.length != msg.text.size()) {
      size = {bubbleWidth, state.dpi, msg.text.size(),
              canvas.measureTextHeight(msg.text, bubbleWidth - scale(20, state.dpi), FontId::Body),
              msg.fromUser ? canvas.measureText(msg.text, FontId::Body).width : 0};
    }
    out.push_back({msg.fromUser, !msg.tweakIds.empty(), size.height, size.width});
  }
  return out;
}

void paintChat(Canvas& canvas, UiState& state, const AssistantPageLayout& page) {
  const int dpi = state.dpi;
  const Rect& m = page.messageArea;
  const std::vector<ChatMeasure> measures = measureChat(canvas, state, chatBubbleWidth(m, dpi));
  state.chatPanel = page.chatPanel;
  state.chatScrollMax = chatScrollLimit(m, measures, dpi);
  if (state.chatScroll > state.chatScrollMax) state.chatScroll = state.chatScrollMax;

  canvas.clipTo(m);
  for (const ChatBubble& b : chatBubbles(m, measures, state.chatScroll, dpi)) {
    const ChatMessage& msg = state.chat[b.message];
    if (!intersect(b.bubble, m).empty() || !intersect(b.button, m).empty()) {
      canvas.fillRounded(b.bubble, msg.fromUser ? kColorAccent : kColorControl, scale(10, dpi));
      canvas.drawText(msg.text, b.text, kColorText, TextFormat::Wrap, FontId::Body);
    }
    if (b.button.empty()) continue;
    canvas.fillRounded(b.button, kColorAccent, scale(8, dpi));
    canvas.drawText(L"Применить рекомендации", b.button, kColorWhite, TextFormat::Center, FontId::Bold);
    addClippedRegion(state.hitRegions, b.button, m, HitKind::ChatApply, b.message);
  }
  canvas.clearClip();
}

}  // namespace

int paintRecommendation(Canvas& canvas, UiState& state, const Rect& list, const Recommendation& rec, int y, int index) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const int t = canvas.measureTextHeight(rec.text, recommendationTextWidth(list.width(), dpi), FontId::Body);
  const RecommendationCardLayout r = recommendationCardLayout(list, y, t, dpi);
  if (intersect(r.card, list).empty()) return r.card.height() + s(10);
  const Color colour = priorityColor(rec.priority);
  canvas.fillRoundedBordered(r.card, index == state.hoverIndex ? kColorControl : kColorPanel, kColorPanelBorder, s(10));
  canvas.fillRounded(r.bar, colour, s(2));
  canvas.fillRounded(r.tag, colour, s(10));
  canvas.drawText(recommendationPriorityLabel(rec.priority), r.tag, kColorWhite, TextFormat::Center, FontId::Tiny);
  canvas.drawText(rec.title, r.title, kColorText, TextFormat::LeftEllipsis, FontId::Heading);
  canvas.drawText(rec.text, r.text, kColorTextDim, TextFormat::Wrap, FontId::Body);
  canvas.fillRounded(r.button, kColorAccent, s(8));
  canvas.drawText(L"Применить", r.button, kColorWhite, TextFormat::Center, FontId::Bold);
  addClippedRegion(state.hitRegions, r.button, list, HitKind::RecommendationApply, index);
  return r.card.height() + s(10);
}

void paintAssistantPage(Canvas& canvas, UiState& state, const Rect& c) {
  const int dpi = state.dpi;
  const AssistantPageLayout page = assistantPageLayout(c, dpi);
  const SidebarEntry* entry = state.currentEntry();
  canvas.drawText((entry ? entry->icon : std::wstring(L"\u2728")) + L"  AI-ассистент", page.titleRow, kColorText,
                  TextFormat::Left, FontId::Title);
  drawButton(canvas, state.hitRegions, page.refreshButton, L"Обновить", kColorAccent, HitKind::RefreshRecommendations, dpi);
  const bool boosting = state.booster && state.booster->isRunning();
  drawButton(canvas, state.hitRegions, page.boosterButton, boosting ? L"Движок: ВКЛ" : L"Включить движок",
             boosting ? kColorControl : kColorAccent, HitKind::BoosterToggle, dpi);
  canvas.drawText(profileLine(state), page.profileLine, kColorTextDim, TextFormat::LeftEllipsisNoPrefix, FontId::Body);

  if (state.recommendations.empty()) {
    canvas.drawText(L"\u2728  Все рекомендуемые твики уже применены. Так держать!",
                    {c.left, page.list.top, c.right, page.list.top + scale(50, dpi)}, kColorSuccess, TextFormat::Center,
                    FontId::Heading);
    state.contentHeight = 0;
  } else {
    canvas.clipTo(page.list);
    int y = page.list.top - state.scrollOffset;
    for (std::size_t i = 0; i < state.recommendations.size(); ++i)
      y += paintRecommendation(canvas, state, page.list, state.recommendations[i], y, static_cast<int>(i));
    state.contentHeight = y - (page.list.top - state.scrollOffset);
    canvas.clearClip();
  }
  state.listHeight = page.list.height();

  canvas.fillRoundedBordered(page.chatPanel, kColorPanel, kColorPanelBorder, scale(12, dpi));
  canvas.drawText(L"\U0001F4AC  Спроси AI-ассистента", page.chatHeading, kColorText, TextFormat::Left, FontId::Heading);
  paintChat(canvas, state, page);
  state.inputBoxRect = page.inputBox;
  drawButton(canvas, state.hitRegions, page.sendButton, L"Отправить", kColorAccent, HitKind::SendQuestion, dpi);
  paintStatusLine(canvas, state, page.status);
}

}  // namespace vx::ui
