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

// The main window's outer rectangle at creation: 1280 x 820 at 96 DPI and as many DIP at a higher
// DPI, from the place Windows proposed, but no larger than the monitor's work area and inside it.
Rect mainWindowRect(const Rect& proposed, const Rect& workArea, int dpi);
// The smallest outer size the user can drag the window to: a client area of 960 x 600 DIP, where
// every page still has its room, plus the frame; never more than the work area.
Size minimumWindowSize(Size frame, const Rect& workArea, int dpi);
inline constexpr Size kMainWindowDip{1280, 820};
inline constexpr Size kMinimumClientDip{960, 600};

// How many of the three chips fit (0..3); they vanish from the end: RAM first, then CPU.
int headerChipCount(const Rect& header, int dpi);
std::vector<Rect> headerChipRects(const Rect& header, int dpi);

// Where the sidebar's rows go: under its heading, above the quick actions.
Rect sidebarRowArea(const Rect& sidebar, int dpi);
// Row of sidebar entry i of count, across the inner column; 40 DIP high, 44 apart, packed closer
// (down to 28 apart) when the area is too short for all of them.
Rect sidebarRow(const Rect& sidebar, int index, int count, int dpi);
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
