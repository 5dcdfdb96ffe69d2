#include "app/key_edit_box.h"

#include <commctrl.h>

#include <memory>

namespace vx::app {

namespace {

struct Subclass {
  WNDPROC oldProc = nullptr;
  WPARAM key = 0;
  bool notWithShift = false;
  std::function<void()> onKey;
};

Subclass* subclassOf(HWND box) { return reinterpret_cast<Subclass*>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

LRESULT CALLBACK keyEditBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  Subclass* subclass = subclassOf(box);
  if (!subclass) return DefWindowProcW(box, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcW(subclass->oldProc, box, message, wParam, lParam);
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->wParam == subclass->key && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == subclass->key && !(subclass->notWithShift && GetKeyState(VK_SHIFT) < 0)) {
        if (subclass->onKey) subclass->onKey();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == subclass->key) return 0;  // no beep for the key that was handled
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

HWND createKeyEditBox(HWND parent, HINSTANCE instance, HFONT font, const KeyEditBoxOptions& options, std::function<void()> onKey) {
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | options.extraStyle, 0, 0,
                             0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(options.controlId)), instance, nullptr);
  if (!box) return nullptr;
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(box, EM_SETCUEBANNER, 1, reinterpret_cast<LPARAM>(options.cue));
  auto subclass = std::make_unique<Subclass>();
  subclass->key = options.key;
  subclass->notWithShift = options.notWithShift;
  subclass->onKey = std::move(onKey);
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass.get()));
  subclass->oldProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&keyEditBoxProc)));
  subclass.release();  // owned by the control until WM_NCDESTROY
  return box;
}

}  // namespace vx::app
