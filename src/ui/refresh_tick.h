// The 1.5 s refresh timer's tick: fresh readings, then a repaint of only the parts whose readings
// changed (header chips, Home's load tiles, the Assistant's profile line); a tick that changes
// nothing on screen asks for no repaint. Called by the window's WM_TIMER and by the tests.
#pragma once
#include <vector>

#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

// The parts of the current page that show timed readings, each with a text standing for what it
// shows (the readings it is drawn from), for the client size and DPI of the last paint.
std::vector<TimedRegion> timedRegions(const UiState& state);

// The memory figures on every tick; the whole hardware snapshot (names, disk, battery, GPU, which
// do not change while the program runs) on the first tick and every tenth after it.
inline constexpr int kFullSnapshotEveryTicks = 10;
void takeTimedReadings(UiState& state);

void onRefreshTick(UiState& state, WindowHost& host);

}  // namespace vx::ui
