#include "app/input_box.h"

#include "app/key_edit_box.h"
#include "app/window_messages.h"

namespace vx::app {

HWND createInputBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEnter) {
  return createKeyEditBox(parent, instance, font, {kInputBoxId, 0, kInputCueText, VK_RETURN, true}, std::move(onEnter));
}

}  // namespace vx::app
