#include "ui/assistant_layout.h"

#include <algorithm>

#include "ui/theme.h"

namespace vx::ui {

namespace {

Rect centredVertically(const Rect& row, int left, int right, int height) {
  const int top = row.top + (row.height() - height) / 2;
  return {left, top, right, top + height};
}

// Height of one message in the stack, its button's room included.
int stackHeight(const ChatMeasure& m, int dpi) {
  const int h = m.textHeight + scale(20, dpi);
  return !m.fromUser && m.offersTweaks ? h + scale(36, dpi) : h;
}

}  // namespace

AssistantPageLayout assistantPageLayout(const Rect& c, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  AssistantPageLayout p;
  p.titleRow = {c.left, c.top, c.right, c.top + s(48)};
  p.refreshButton = centredVertically(p.titleRow, c.right - s(140), c.right, s(36));
  p.boosterButton = centredVertically(p.titleRow, p.refreshButton.left - s(8) - s(170), p.refreshButton.left - s(8), s(36));
  p.profileLine = {c.left, p.titleRow.bottom + s(4), c.right, p.titleRow.bottom + s(4) + s(28)};
  const int r0 = p.profileLine.bottom + s(8);
  const int r1 = std::max(c.bottom - s(8) - s(28) - s(280), r0 + s(120));
  p.list = {c.left, r0, c.right, r1 - s(12)};
  p.chatPanel = {c.left, r1, c.right, c.bottom - s(28)};
  const Rect& P = p.chatPanel;
  p.chatHeading = {P.left + s(16), P.top + s(10), P.right - s(16), P.top + s(34)};
  p.messageArea = {P.left + s(12), P.top + s(38), P.right - s(12), P.bottom - s(12) - s(8) - s(40)};
  p.inputBox = {P.left + s(12), P.bottom - s(12) - s(40), P.right - s(12) - s(6) - s(100), P.bottom - s(12)};
  p.sendButton = {p.inputBox.right + s(6), p.inputBox.top, P.right - s(12), P.bottom - s(12)};
  p.status = {c.left, c.bottom - s(20), c.right, c.bottom};
  return p;
}

int recommendationTextWidth(int listWidth, int dpi) {
  return std::max(0, listWidth - 2 * scale(20, dpi) - scale(140, dpi) - scale(20, dpi));
}

int recommendationCardHeight(int textHeight, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  return s(16) + s(20) + s(8) + s(22) + s(6) + textHeight + s(16);
}

RecommendationCardLayout recommendationCardLayout(const Rect& list, int y, int textHeight, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  RecommendationCardLayout r;
  const int T = recommendationTextWidth(list.width(), dpi);
  r.card = {list.left, y, list.right, y + recommendationCardHeight(textHeight, dpi)};
  const int left = r.card.left;
  r.bar = {left, r.card.top + s(12), left + s(4), r.card.bottom - s(12)};
  r.tag = {left + s(20), r.card.top + s(16), left + s(80), r.card.top + s(36)};
  r.title = {left + s(20), r.card.top + s(44), left + s(20) + T, r.card.top + s(66)};
  r.text = {left + s(20), r.card.top + s(72), left + s(20) + T, r.card.bottom - s(12)};
  r.button = centredVertically(r.card, r.card.right - s(20) - s(140), r.card.right - s(20), s(36));
  return r;
}

int chatBubbleWidth(const Rect& m, int dpi) { return std::max(0, m.width() - scale(80, dpi)); }

std::vector<ChatBubble> chatBubbles(const Rect& m, const std::vector<ChatMeasure>& messages, int scroll, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  const int B = chatBubbleWidth(m, dpi);
  std::vector<ChatBubble> out;
  int bottom = m.bottom - s(4) + scroll;
  for (int i = static_cast<int>(messages.size()) - 1; i >= 0; --i) {
    if (bottom < m.top - s(200)) break;
    const ChatMeasure& msg = messages[i];
    ChatBubble b;
    b.message = i;
    const int height = msg.textHeight + s(20);
    const int reserve = stackHeight(msg, dpi) - height;
    const int top = bottom - reserve - height;
    if (msg.fromUser) {
      // At least 120 wide, never wider than the widest bubble.
      const int width = std::min(B, std::max(msg.textWidth + s(20), s(120)));
      b.bubble = {m.right - s(8) - width, top, m.right - s(8), top + height};
    } else {
      b.bubble = {m.left + s(8), top, m.left + s(20) + B, top + height};
      if (msg.offersTweaks) b.button = {b.bubble.left, b.bubble.bottom + s(4), b.bubble.left + s(180), b.bubble.bottom + s(32)};
    }
    b.text = {b.bubble.left + s(10), b.bubble.top + s(8), b.bubble.right - s(10), b.bubble.bottom - s(8)};
    out.push_back(b);
    bottom = top - s(8);
  }
  return out;
}

int chatScrollLimit(const Rect& m, const std::vector<ChatMeasure>& messages, int dpi) {
  int total = 0;
  for (const ChatMeasure& msg : messages) total += stackHeight(msg, dpi) + scale(8, dpi);
  // The oldest bubble's top may come down to 4 DIP below the area's top.
  return std::max(0, total - scale(8, dpi) - (m.height() - 2 * scale(4, dpi)));
}

}  // namespace vx::ui
