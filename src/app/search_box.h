// The header's search box: a one-line EDIT control with the cue "Поиск твиков" in the body font,
// subclassed so that Esc empties it: its WM_GETDLGCODE asks for VK_ESCAPE too, which
// IsDialogMessageW in the message loop would otherwise turn into IDCANCEL for the main window.
// Its text changes reach the main window as EN_CHANGE. Created by the main window.
#pragma once
#include <windows.h>

#include <functional>

namespace vx::app {

// Null when the control cannot be created. onEscape runs when Esc is pressed in the box.
HWND createSearchBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEscape);

// Ctrl+F, which the message loop hands to the window before IsDialogMessageW from any control.
bool isSearchShortcut(const MSG& message);

}  // namespace vx::app
