#include "app/search_box.h"

#include <commctrl.h>

#include <memory>

#include "app/window_messages.h"
#include "ui/tweak_search.h"

namespace vx::app {

namespace {

struct Subclass {
  WNDPROC oldProc = nullptr;
  std::function<void()> onEscape;
};

Subclass* subclassOf(HWND box) { return reinterpret_cast<Subclass*>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

LRESULT CALLBACK searchBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  Subclass* subclass = subclassOf(box);
  if (!subclass) return DefWindowProcW(box, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcW(subclass->oldProc, box, message, wParam, lParam);
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->wParam == VK_ESCAPE && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        if (subclass->onEscape) subclass->onEscape();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == 27) return 0;  // no beep for the Esc that was handled
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

HWND createSearchBox(HWND parent, HINSTANCE instance, HFONT font, std::function<void()> onEscape) {
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0,
                             0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSearchBoxId)), instance, nullptr);
  if (!box) return nullptr;
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(box, EM_SETCUEBANNER, 1, reinterpret_cast<LPARAM>(ui::kSearchCueText));
  auto subclass = std::make_unique<Subclass>();
  subclass->onEscape = std::move(onEscape);
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass.get()));
  subclass->oldProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&searchBoxProc)));
  subclass.release();  // owned by the control until WM_NCDESTROY
  return box;
}

bool isSearchShortcut(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == 'F' && GetKeyState(VK_CONTROL) < 0;
}

}  // namespace vx::app
