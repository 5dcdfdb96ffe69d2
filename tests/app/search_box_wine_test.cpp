#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "app/search_box.h"

namespace vx::test {
namespace {

struct WindowDeleter {
  void operator()(HWND w) const { DestroyWindow(w); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// Wine creates EDIT controls only with a display; tests/e2e/gui_search.sh runs this test on its
// Xvfb display (and fails when it is skipped there).
TEST(SearchBoxWin32, EscReachesTheBoxThroughTheDialogLoopAndCtrlFIsTheWindowsKey) {
  UniqueWindow parent(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 300, 100, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(parent);
  if (UniqueWindow plain{CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent.get(), nullptr,
                                         GetModuleHandleW(nullptr), nullptr)};
      !plain)
    GTEST_SKIP() << "no EDIT control can be created here (no display)";
  int escapes = 0;
  HWND box = app::createSearchBox(parent.get(), GetModuleHandleW(nullptr), nullptr, [&] { ++escapes; });
  ASSERT_TRUE(box);

  // Without the box asking for it, IsDialogMessageW would turn Esc into IDCANCEL for the parent.
  MSG escape{box, WM_KEYDOWN, VK_ESCAPE, 0};
  const LRESULT code = SendMessageW(box, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape));
  EXPECT_TRUE(code & DLGC_WANTMESSAGE);
  EXPECT_TRUE(code & DLGC_HASSETSEL);  // the control's own code is kept
  EXPECT_TRUE(IsDialogMessageW(parent.get(), &escape));
  EXPECT_EQ(escapes, 1);

  MSG tab{box, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(SendMessageW(box, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTMESSAGE);
  SendMessageW(box, WM_CHAR, 27, 0);
  EXPECT_EQ(GetWindowTextLengthW(box), 0);  // Esc is never typed
  EXPECT_FALSE(app::isSearchShortcut(MSG{box, WM_KEYDOWN, 'F', 0}));  // F without Ctrl is typing
}

}  // namespace
}  // namespace vx::test
