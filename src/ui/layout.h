// The window's geometry as pure functions of the client size, the DPI and a few text heights:
// the frame, header chips, sidebar rows and quick actions, the category page's rows and list, the
// parts of a tweak card and the tooltip box. The painters and the tests both use them; every DIP
// term is scaled on its own (MulDiv) and the pixels are added.
#pragma once
#include <array>
#include <vector>

#include "ui/geometry.h"

namespace vx::ui {

struct FrameLayout {
  Rect header;
  Rect sidebar;
  Rect content;
};
FrameLayout frameLayout(int clientWidth, int clientHeight, int dpi);

// How many of the three chips fit (0..3); they vanish from the end: RAM first, then CPU.
int headerChipCount(const Rect& header, int dpi);
std::vector<Rect> headerChipRects(const Rect& header, int dpi);

// Row of sidebar entry i, across the inner column.
Rect sidebarRow(const Rect& sidebar, int index, int dpi);
// The quick actions from the bottom up: [0] recycle bin, [1] DNS, [2] temporary files.
std::array<Rect, 3> quickActionRects(const Rect& sidebar, int dpi);

struct CategoryPageLayout {
  Rect titleRow;
  Rect batchPrimary;    // "Применить все" or "Применить выбранные (n)", at the right end
  Rect batchSecondary;  // "Откатить все" or "Снять выбор", left of it
  Rect profileLabel;
  std::array<Rect, 3> profileButtons;
  Rect list;
  Rect status;
};
CategoryPageLayout categoryPageLayout(const Rect& content, bool someSelected, int dpi);

// Width of a card's text column, where the description and side effects are wrapped.
int cardTextWidth(int listWidth, int dpi);
// sideEffectsHeight is 0 without side effects, else the wrapped height of their line.
int cardHeight(int descriptionHeight, int sideEffectsHeight, int dpi);

struct CardLayout {
  Rect card;
  Rect checkbox;
  Rect dot;
  Rect toggle;
  Rect button;
  Rect text;   // the text column, from the card's top to its bottom
  Rect title;
};
CardLayout cardLayout(const Rect& list, int y, int height, int dpi);

// The badge tooltip's box for a text height, at the pointer, kept 8 DIP inside the client area.
Rect tooltipRect(Point cursor, int textHeight, const Rect& client, int dpi);
inline constexpr int kTooltipWidthDip = 360;

}  // namespace vx::ui
