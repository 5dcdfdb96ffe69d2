#include <gtest/gtest.h>
#include <windows.h>

#include "app/input_box.h"

namespace vx::test {
namespace {

struct WindowDeleter {
  void operator()(HWND w) const { DestroyWindow(w); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// Wine creates EDIT controls only with a display; tests/e2e/gui_window.sh runs this test on its
// Xvfb display (and fails when it is skipped there).
TEST(InputBoxWin32, EnterSendsThroughTheDialogLoopAndNeverTypes) {
  UniqueWindow parent(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 300, 100, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(parent);
  if (UniqueWindow plain{CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent.get(), nullptr,
                                         GetModuleHandleW(nullptr), nullptr)};
      !plain)
    GTEST_SKIP() << "no EDIT control can be created here (no display)";
  int sent = 0;
  HWND box = app::createInputBox(parent.get(), GetModuleHandleW(nullptr), nullptr, [&] { ++sent; });
  ASSERT_TRUE(box);

  // The message loop hands every message to IsDialogMessageW first; Enter must still reach the box.
  MSG enter{box, WM_KEYDOWN, VK_RETURN, 0};
  const LRESULT code = SendMessageW(box, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
  EXPECT_TRUE(code & DLGC_WANTMESSAGE);
  EXPECT_TRUE(code & DLGC_HASSETSEL);  // the control's own code is kept
  EXPECT_TRUE(IsDialogMessageW(parent.get(), &enter));
  EXPECT_EQ(sent, 1);

  // Other keys are not claimed, and the carriage return never lands in the text.
  MSG tab{box, WM_KEYDOWN, VK_TAB, 0};
  EXPECT_FALSE(SendMessageW(box, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTMESSAGE);
  SendMessageW(box, WM_CHAR, 13, 0);
  EXPECT_EQ(GetWindowTextLengthW(box), 0);
  SendMessageW(box, WM_CHAR, L'я', 0);
  EXPECT_EQ(GetWindowTextLengthW(box), 1);
  EXPECT_EQ(sent, 1);
}

}  // namespace
}  // namespace vx::test
