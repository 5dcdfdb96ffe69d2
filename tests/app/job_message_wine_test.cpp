#include <gtest/gtest.h>
#include <windows.h>

#include "app/job_message.h"
#include "app/window_messages.h"

namespace vx::test {
namespace {

TEST(JobMessageWin32, ResultArrivesWithItsFlagsAndAGoneWindowRefusesIt) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  const JobResult result{L"Применено: 2 из 3", true, true, true};
  ASSERT_TRUE(app::postJobDone(window, result));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, window, app::kWmJobDone, app::kWmJobDone, PM_REMOVE));
  const app::JobDone done = app::takeJobDone(message.wParam, message.lParam);
  ASSERT_TRUE(done.text);
  EXPECT_EQ(*done.text, result.text);
  EXPECT_EQ(done.flags, (ui::JobFlags{true, true, true}));
  EXPECT_EQ(message.lParam, 7);

  // After the window is gone the post fails; the worker still owns the text and frees it.
  DestroyWindow(window);
  EXPECT_FALSE(app::postJobDone(window, result));
  EXPECT_FALSE(PeekMessageW(&message, nullptr, app::kWmJobDone, app::kWmJobDone, PM_REMOVE));
}

TEST(JobMessageWin32, CardJobCarriesItsTweaksNewState) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  for (TweakState state : {TweakState::NotApplied, TweakState::Applied, TweakState::Unavailable}) {
    JobResult result{L"Твик: применено  •  Бэкап создан", true};
    result.tweakState = state;
    ASSERT_TRUE(app::postJobDone(window, result));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, app::kWmJobDone, app::kWmJobDone, PM_REMOVE));
    const app::JobDone done = app::takeJobDone(message.wParam, message.lParam);
    EXPECT_EQ(done.flags, (ui::JobFlags{true, false, false, state}));
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace vx::test
