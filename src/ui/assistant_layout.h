// The geometry of the Assistant page: the title row with its two buttons, the profile line, the
// recommendation list, the chat panel with its message area, input box and send button, the
// recommendation cards and the chat bubbles laid out from the bottom. Pure functions of
// rectangles, text sizes and the DPI, used by the Assistant painter and the tests.
#pragma once
#include <vector>

#include "ui/geometry.h"

namespace vx::ui {

struct AssistantPageLayout {
  Rect titleRow;
  Rect refreshButton;
  Rect boosterButton;
  Rect profileLine;
  Rect list;          // recommendations, clipped
  Rect chatPanel;
  Rect chatHeading;
  Rect messageArea;   // bubbles, clipped
  Rect inputBox;
  Rect sendButton;
  Rect status;
};
AssistantPageLayout assistantPageLayout(const Rect& content, int dpi);

struct RecommendationCardLayout {
  Rect card;
  Rect bar;
  Rect tag;
  Rect title;
  Rect text;
  Rect button;  // "Применить"
};
// Width of the card's text column for a list width.
int recommendationTextWidth(int listWidth, int dpi);
// Card height for the wrapped text height t: t + 88 DIP.
int recommendationCardHeight(int textHeight, int dpi);
RecommendationCardLayout recommendationCardLayout(const Rect& list, int y, int textHeight, int dpi);

// Widest bubble for a message area.
int chatBubbleWidth(const Rect& messageArea, int dpi);

// What the bubble layout needs of one message.
struct ChatMeasure {
  bool fromUser = false;
  bool offersTweaks = false;  // an assistant reply with tweak ids: room for its apply button
  int textHeight = 0;         // wrapped in the bubble width less 20 DIP
  int textWidth = 0;          // as one line
};

struct ChatBubble {
  int message = 0;  // index in the chat
  Rect bubble;
  Rect text;
  Rect button;  // "Применить рекомендации"; empty when the reply offers nothing
};

// The bubbles from the newest (last) message up, the newest bottom at messageArea.bottom − 4 +
// scroll. Stops once the next bottom edge lies more than 200 DIP above the area.
std::vector<ChatBubble> chatBubbles(const Rect& messageArea, const std::vector<ChatMeasure>& messages, int scroll, int dpi);

// The largest scroll that still shows the oldest message at the top of the area; 0 when all fit.
int chatScrollLimit(const Rect& messageArea, const std::vector<ChatMeasure>& messages, int dpi);

}  // namespace vx::ui
