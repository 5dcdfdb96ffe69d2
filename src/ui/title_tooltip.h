// The card title's tooltip: resting the pointer on a card's title for half a second shows
// "Что изменится:" and one line per change its tweak makes (what a click does: apply, or revert
// for an applied card), at most eight, then "…и ещё N". The changes and the values now are read
// on the state refresher's thread; the lines show without values until that read arrives. Called
// by the hover handler, the click dispatcher, the window's timer and message, and the painter.
#pragma once
#include <string>

#include "ui/canvas.h"
#include "ui/hit_regions.h"
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

inline constexpr int kTitleTooltipDelayMs = 500;
inline constexpr std::size_t kTitleTooltipMaxLines = 8;

// The pointer moved; `title` is the card title region under it, or null.
void trackTitleHover(UiState& state, WindowHost& host, const HitRegion* title);
// The hover timer ran out: the tooltip shows once its read has arrived.
void onTitleTooltipTimer(UiState& state, WindowHost& host);
// The refresher's thread put a read in the mailbox (from onBackgroundReadsReady).
void onChangePreviewReady(UiState& state, WindowHost& host);
// Gone until the pointer rests on a title again (a click, a page change, the pointer leaving).
void hideTitleTooltip(UiState& state, WindowHost& host);

// The tooltip's text for a read: the heading, then a line per change.
std::wstring titleTooltipText(const ChangePreview& preview, bool revert);
// The text to show now; empty when no title tooltip is shown (the badge's tooltip has the place).
std::wstring visibleTitleTooltip(const UiState& state);

// The box for a text height at the pointer: like the badge tooltip's, and moved below the title
// line it would cover (above it when the window has no room below).
Rect titleTooltipRect(Point cursor, int textHeight, const Rect& client, const Rect& titleLine, int dpi);
void paintTitleTooltip(Canvas& canvas, UiState& state, const Rect& client);

}  // namespace vx::ui
