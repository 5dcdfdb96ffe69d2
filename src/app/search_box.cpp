#include "app/search_box.h"

#include "app/key_edit_box.h"
#include "app/window_messages.h"
#include "ui/tweak_search.h"

namespace vx::app {

HWND createSearchBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEscape) {
  return createKeyEditBox(parent, instance, font, {kSearchBoxId, WS_VISIBLE, ui::kSearchCueText, VK_ESCAPE, false}, std::move(onEscape));
}

bool isSearchShortcut(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == 'F' && GetKeyState(VK_CONTROL) < 0;
}

}  // namespace vx::app
