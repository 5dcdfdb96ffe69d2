// The portable part of creating the main window, in the order the window needs it: catalogue,
// sidebar, hardware snapshot, GPU driver list, the assistant's greeting. Nothing here queries a
// tweak: the advice and the score come from the state refresher's first pass. Called once by
// WM_CREATE; the Win32 parts (fonts, timer, input box, threads) stay in src/app.
#pragma once
#include "ui/ui_state.h"

namespace vx::ui {

inline constexpr const wchar_t* kAssistantGreeting =
    L"Я локальный AI-ассистент Vantorix. Выше — персональные рекомендации для твоего железа. Спроси меня, что "
    L"улучшить, или напиши «что у меня».";

// Also puts the note on the status line when the program runs under another account than the
// desktop's (core/user_account.h).
void buildCatalogueAndSidebar(UiState& state);
void takeHardwareSnapshot(UiState& state);  // hardware and driver cards
void greetInChat(UiState& state);

}  // namespace vx::ui
