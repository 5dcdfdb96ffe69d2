// The Explorer restart against Wine: there is no shell window (GetShellWindow is NULL even with a
// display), so the shell counts as ours, and the restart waits the whole 5 s before it starts
// explorer.exe itself.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/shell.h"
#include "services/shell_actions.h"

namespace vx {
namespace {

TEST(ExplorerRestartWine, WithoutAShellWindowExplorerIsStartedAfterTheWait) {
  ASSERT_EQ(shellWindow(), 0u);
  EXPECT_FALSE(shellRunsAsAnotherUser());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(restartExplorer());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(5000));
  EXPECT_LT(waited, std::chrono::milliseconds(20'000));
}

}  // namespace
}  // namespace vx
