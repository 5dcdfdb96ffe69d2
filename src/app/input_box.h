// The assistant's one-line EDIT control: created hidden with the body font and the cue text, and
// subclassed so that Enter (without Shift) sends the question, never beeps, and is not taken away
// by IsDialogMessageW in the message loop (WM_GETDLGCODE adds DLGC_WANTMESSAGE for VK_RETURN).
#pragma once
#include <windows.h>

#include <functional>

namespace vx::app {

inline constexpr const wchar_t* kInputCueText = L"Спросите AI: «как снизить input lag»";

// Null when the control cannot be created.
HWND createInputBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEnter);

}  // namespace vx::app
