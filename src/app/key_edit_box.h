// A single-line EDIT control that takes one key for itself instead of letting the dialog manager
// turn it into a default button or IDCANCEL: the assistant's input box (Enter without Shift) and
// the search box (Esc). Created by input_box.cpp and search_box.cpp.
#pragma once
#include <windows.h>

#include <functional>

namespace vx::app {

struct KeyEditBoxOptions {
  int controlId = 0;
  DWORD extraStyle = 0;   // e.g. WS_VISIBLE
  const wchar_t* cue = L"";
  WPARAM key = 0;         // a virtual key whose WM_CHAR code is the same (VK_RETURN 13, VK_ESCAPE 27)
  bool notWithShift = false;  // Shift+key is left to the control
};

// The control, subclassed so that `key` calls onKey; nullptr when it cannot be created.
HWND createKeyEditBox(HWND parent, HINSTANCE instance, HFONT font, const KeyEditBoxOptions& options, std::function<void()> onKey);

}  // namespace vx::app
