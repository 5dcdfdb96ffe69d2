// What starting a program for the user promises, on both backends: the shell and the direct start
// both start an existing program and fail for a missing one; and the console wait without Ctrl+C
// lasts its time and reports no interrupt.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/scene.h"

namespace vx {
namespace {

class ProgramStartContract : public ::testing::Test {
 protected:
  void SetUp() override { scene::reset(); }
};

TEST_F(ProgramStartContract, ShellAndDirectStartsStartAProgramAndFailForAMissingOne) {
  const std::wstring child = scene::childProgramPath();
  EXPECT_TRUE(shellStartProgram(child));
  EXPECT_TRUE(startProgramDirectly(child));
  const std::wstring missing = joinPath(scene::scratchFolder(), L"no-such-program.exe");
  EXPECT_FALSE(shellStartProgram(missing));
  EXPECT_FALSE(startProgramDirectly(missing));
}

TEST_F(ProgramStartContract, ConsoleWaitWithoutCtrlCTakesItsTimeAndSaysNo) {
  const auto before = std::chrono::steady_clock::now();
  EXPECT_FALSE(waitForInterrupt(200));
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(150));
}

}  // namespace
}  // namespace vx
