// Where the results of the window's background reads arrive on the UI thread: the state
// refresher's thread puts each in its mailbox and calls UiState::readsReady; the window answers
// that with onBackgroundReadsReady, which hands every waiting result to its part of the window.
#pragma once
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

void onBackgroundReadsReady(UiState& state, WindowHost& host);

}  // namespace vx::ui
