// The window's input on the portable side: the click dispatcher with every action of the hit
// kinds, hover and the badge tooltip, the mouse wheel, and the two card actions (apply/revert a
// single tweak on the UI thread, tick it for a batch). The window procedure calls these with
// client coordinates.
#pragma once
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

void onClick(UiState& state, WindowHost& host, int x, int y);
void onMouseMove(UiState& state, WindowHost& host, int x, int y);
// wheelDelta as Windows reports it (120 per notch, positive away from the user; a precision
// touchpad or a high-resolution wheel sends less). Deltas add up per target (a page's list or
// Home, the chat) and every 120 of them scroll one step, the rest kept; another target starts
// from nothing. Over the chat panel of the Assistant page (at, in client coordinates) the wheel
// moves the chat 60 DIP a step between the newest and the oldest message; elsewhere it scrolls
// the page's list.
void onMouseWheel(UiState& state, WindowHost& host, int wheelDelta);
void onMouseWheel(UiState& state, WindowHost& host, int wheelDelta, Point at);

inline constexpr int kWheelDeltaPerNotch = 120;
enum class WheelArea { Page, Chat };
// One number per scrolled area of a page, so the accumulator knows when the target changed.
inline int wheelTargetOf(const UiState& state, WheelArea area) {
  return state.currentPage * 2 + (area == WheelArea::Chat ? 1 : 0);
}
// Adds the delta to the target's accumulator and takes the whole notches out of it.
int wheelNotches(UiState& state, int target, int wheelDelta);

// The tweak behind a card index of the current page, or null.
TweakPtr cardTweak(const UiState& state, int index);
void toggleCard(UiState& state, WindowHost& host, int index);
void toggleSelection(UiState& state, WindowHost& host, int index);

inline constexpr const wchar_t* kDefaultAggressiveWarning =
    L"Этот твик меняет системные настройки. Перед применением создаётся бэкап и точка восстановления.";

}  // namespace vx::ui
