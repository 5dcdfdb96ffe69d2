// The window's geometry as pure functions of the client size, the DPI and a few text heights:
// the frame, header chips, sidebar rows and quick actions, the category page's rows and list, the
// parts of a tweak card and the tooltip box. The painters and the tests both use them; every DIP
// term is scaled on its own (MulDiv) and the pixels are added.
#pragma once
#include <array>
#include <optional>
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
// Width of the side-effect line's text, right of its dot.
int cardSideEffectsWidth(int listWidth, int dpi);
// sideEffectsHeight is 0 without side effects, else the wrapped height of their line.
int cardHeight(int descriptionHeight, int sideEffectsHeight, int dpi);

struct CardLayout {
  Rect card;
  Rect checkbox;
  std::array<Point, 3> tick;  // the check mark's polyline in a ticked box
  Rect dot;
  Rect toggle;
  int toggleRadius = 0;
  Rect knob;                  // at the track's left end, or its right end when the toggle is on
  int knobRadius = 0;
  Rect button;
  Rect text;   // the text column, from the card's top to its bottom
  Rect title;  // up to the badge when there is one
  Rect description;
  // An aggressive tweak's badge and the question mark right of it (both empty otherwise).
  Rect badge;
  Rect helpMark;
  int helpMarkRadius = 0;
  // A search result's category name at the right end of the title line, before the badge (empty
  // on a category page).
  Rect categoryLabel;
  // The side-effect line's warning dot and its wrapped text (both empty without side effects).
  Rect sideEffectDot;
  Rect sideEffectText;
  int advance = 0;  // the card's height and the gap below it
};
// The card's frame for a height: everything but the badge and the side-effect line, the knob off.
CardLayout cardLayout(const Rect& list, int y, int height, int dpi);

// What a card's parts depend on besides its place.
struct CardContent {
  int descriptionHeight = 0;
  int sideEffectsHeight = 0;      // 0: no side-effect line
  std::optional<Size> badgeText;  // the measured "АГРЕССИВНО"; none when the tweak is not aggressive
  bool toggleOn = false;          // the tweak is applied
  std::optional<Size> categoryLabelText;  // the measured category name of a search result; none elsewhere
};
// Every part of a card, its height from the text heights (cardHeight).
CardLayout cardLayout(const Rect& list, int y, const CardContent& content, int dpi);

// The badge tooltip's box for a text height, at the pointer, kept 8 DIP inside the client area.
Rect tooltipRect(Point cursor, int textHeight, const Rect& client, int dpi);
inline constexpr int kTooltipWidthDip = 360;

}  // namespace vx::ui
