// The main window: its window procedure (creation steps, paint, input, timer, job completion, DPI
// change, orderly shutdown) on top of the portable UI in src/ui. Registered and created by
// wWinMain.
#pragma once
#include <windows.h>

namespace vx::app {

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's DPI, asked at run time (GetDpiForWindow is missing before Windows 10 1607): 96 then.
int windowDpi(HWND window);

// The message loop's keys before IsDialogMessageW: Ctrl+F focuses the search box from anywhere in
// the window. True when the message was used and must not be dispatched.
bool handleWindowKey(const MSG& message);

// Sizes the newly created window for its monitor's DPI, within the monitor's work area.
void fitMainWindowToMonitor(HWND window);

}  // namespace vx::app
