// The painters of the main window: the whole frame of one paint (background, header, sidebar, the
// current page, the badge tooltip) and its parts. Each painter draws on the canvas and appends the
// hit regions of what it drew. Called by the window's WM_PAINT and by the tests.
#pragma once
#include "core/tweak.h"
#include "ui/canvas.h"
#include "ui/ui_state.h"

namespace vx::ui {

// One complete paint of a client area; clears and rebuilds state.hitRegions.
void paintWindow(Canvas& canvas, UiState& state, int clientWidth, int clientHeight);

void paintHeader(Canvas& canvas, UiState& state, const Rect& rect);
void paintSidebar(Canvas& canvas, UiState& state, const Rect& rect);
void paintPage(Canvas& canvas, UiState& state, const Rect& content);
void paintCategoryPage(Canvas& canvas, UiState& state, const SidebarEntry& entry, const Rect& content);
// One card at y in the list; returns the height used (card plus the gap below it).
int paintCard(Canvas& canvas, UiState& state, const Rect& list, Tweak& tweak, int y, int index);
void paintTooltip(Canvas& canvas, UiState& state, const Rect& client);
void paintStatusLine(Canvas& canvas, const UiState& state, const Rect& rect);

// The state a card shows: the last known state from the cache (Undetermined before the first),
// so painting never waits on the system.
TweakState cardState(const UiState& state, Tweak& tweak);

}  // namespace vx::ui
