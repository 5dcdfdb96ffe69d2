#include "app/input_box.h"

#include <commctrl.h>

#include <memory>

#include "app/window_messages.h"

namespace vx::app {

namespace {

struct Subclass {
  WNDPROC oldProc = nullptr;
  std::function<void()> onEnter;
};

Subclass* subclassOf(HWND box) { return reinterpret_cast<Subclass*>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

LRESULT CALLBACK inputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  Subclass* subclass = subclassOf(box);
  if (!subclass) return DefWindowProcW(box, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcW(subclass->oldProc, box, message, wParam, lParam);
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->wParam == VK_RETURN && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN && GetKeyState(VK_SHIFT) >= 0) {
        if (subclass->onEnter) subclass->onEnter();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == 13) return 0;
      break;
    case WM_NCDESTROY: {
      std::unique_ptr<Subclass> owned(subclass);  // freed when this case ends
      SetWindowLongPtrW(box, GWLP_USERDATA, 0);
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owned->oldProc));
      return CallWindowProcW(owned->oldProc, box, message, wParam, lParam);
    }
  }
  return CallWindowProcW(subclass->oldProc, box, message, wParam, lParam);
}

}  // namespace

HWND createInputBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEnter) {
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInputBoxId)), instance, nullptr);
  if (!box) return nullptr;
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(box, EM_SETCUEBANNER, 1, reinterpret_cast<LPARAM>(kInputCueText));
  auto subclass = std::make_unique<Subclass>();
  subclass->onEnter = std::move(onEnter);
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass.get()));
  subclass->oldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&inputBoxProc)));
  subclass.release();  // owned by the control until WM_NCDESTROY
  return box;
}

}  // namespace vx::app
