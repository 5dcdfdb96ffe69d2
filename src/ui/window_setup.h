// The portable part of creating the main window, in the order the window needs it: catalogue,
// sidebar, hardware snapshot, GPU driver list, the assistant's greeting. Nothing here queries a
// tweak or asks whose profile this is: the advice, the score and the other-account note come from
// the state refresher's first pass (onStatesChanged). Called by WM_CREATE and by the refresher's
// note; the Win32 parts (fonts, timer, input box, threads) stay in src/app.
#pragma once
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

inline constexpr const wchar_t* kAssistantGreeting =
    L"Я локальный AI-ассистент Vantorix. Выше — персональные рекомендации для твоего железа. Спроси меня, что "
    L"улучшить, или напиши «что у меня».";

void buildCatalogueAndSidebar(UiState& state);
void takeHardwareSnapshot(UiState& state);  // hardware and driver cards
void greetInChat(UiState& state);

// The refresher's "states changed" note on the UI thread: the advice from the cached states, then,
// once the refresher's first query has decided that the program runs under another account than
// the desktop's (core/user_account.h), that note on the status line (once, and not while a job
// shows its progress), and a repaint. Until the decision the cards have no state and draw as
// undetermined; a click decides it itself before it writes anything (guarded calls).
void onStatesChanged(UiState& state, WindowHost& host);

}  // namespace vx::ui
