#include "core/guarded_calls.h"
#include "ui/hit_regions.h"
#include "ui/input_handlers.h"
#include "ui/title_tooltip.h"

namespace vx::ui {

void onMouseMove(UiState& state, WindowHost& host, int x, int y) {
  state.mouse = {x, y};
  const HitRegion* hovered = findRegion(state.hitRegions, x, y, {HitKind::CardToggle, HitKind::CardButton, HitKind::RecommendationApply});
  const int hover = hovered ? hovered->index : -1;
  if (hover != state.hoverIndex) {
    state.hoverIndex = hover;
    host.invalidate();
  }

  trackTitleHover(state, host, findRegion(state.hitRegions, x, y, {HitKind::CardTitle}));

  const HitRegion* badge = findRegion(state.hitRegions, x, y, {HitKind::AggressiveBadge});
  const int badgeIndex = badge ? badge->index : -1;
  if (badgeIndex == state.tooltipIndex) {
    // The tooltip follows the pointer.
    if (!state.tooltipText.empty()) host.invalidate();
    return;
  }
  state.tooltipIndex = badgeIndex;
  state.tooltipText.clear();
  if (badgeIndex != -1) {
    if (const TweakPtr tweak = cardTweak(state, badgeIndex)) {
      const std::wstring warning = guarded::aggressiveWarning(*tweak);
      state.tooltipText = L"Почему «АГРЕССИВНО»?\n\n" + (warning.empty() ? std::wstring(kDefaultAggressiveWarning) : warning);
    }
  }
  host.invalidate();
}

int wheelNotches(UiState& state, int target, int wheelDelta) {
  if (target != state.wheelTarget) {
    state.wheelTarget = target;
    state.wheelRemainder = 0;
  }
  state.wheelRemainder += wheelDelta;
  const int notches = state.wheelRemainder / kWheelDeltaPerNotch;  // toward zero, either direction
  state.wheelRemainder -= notches * kWheelDeltaPerNotch;
  return notches;
}

void onMouseWheel(UiState& state, WindowHost& host, int wheelDelta, Point at) {
  const SidebarEntry* entry = state.currentEntry();
  if (entry && entry->kind == PageKind::Assistant && state.chatPanel.contains(at.x, at.y)) {
    // Away from the user shows older messages.
    const int notches = wheelNotches(state, wheelTargetOf(state, WheelArea::Chat), wheelDelta);
    if (notches == 0) return;
    int scroll = state.chatScroll + notches * scale(60, state.dpi);
    if (scroll > state.chatScrollMax) scroll = state.chatScrollMax;
    if (scroll < 0) scroll = 0;
    state.chatScroll = scroll;
    host.invalidate();
    return;
  }
  onMouseWheel(state, host, wheelDelta);
}

void onMouseWheel(UiState& state, WindowHost& host, int wheelDelta) {
  const int notches = -wheelNotches(state, wheelTargetOf(state, WheelArea::Page), wheelDelta);
  if (notches == 0) return;  // a touchpad's small step: kept until a notch is complete
  state.scrollOffset += notches * scale(60, state.dpi);
  if (state.scrollOffset < 0) state.scrollOffset = 0;
  // The painter records how much of the page's list is visible: scrolling stops where the last
  // card's bottom reaches the bottom of the list.
  int maximum = state.contentHeight - state.listHeight;
  if (maximum < 1) maximum = 0;
  if (state.scrollOffset > maximum) state.scrollOffset = maximum;
  host.invalidate();
}

}  // namespace vx::ui
