// What the hidden-child operations promise, on both backends: the exit code decides, a child that
// outlives its time-out counts as a failure and keeps running, and a program that cannot start
// is a failure. The child is the scene's helper program ("N M [FILE]").
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/system_tool.h"
#include "platform/scene.h"
#include "platform/system.h"

namespace vx {
namespace {

class ProcessContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    child = scene::childProgramPath();
    folder = scene::scratchFolder();
  }

  std::wstring quotedChild() const { return L"\"" + child + L"\""; }
  std::wstring fileInScratch(const std::wstring& name) const { return joinPath(folder, name); }
  bool exists(const std::wstring& path) const { return fileStatus(path).kind == FileKind::File; }

  // Lets up to limitMs pass in small steps until the file shows up.
  bool appearsWithin(const std::wstring& path, std::uint32_t limitMs) const {
    for (std::uint32_t waited = 0; waited < limitMs; waited += 100) {
      if (exists(path)) return true;
      scene::waitMs(100);
    }
    return exists(path);
  }

  std::wstring child;
  std::wstring folder;
};

TEST_F(ProcessContract, RunProgramIsTrueOnlyForExitCodeZeroWithinTheTimeOut) {
  struct Case {
    const wchar_t* arguments;
    bool expected;
  };
  const Case cases[] = {
      {L"0 0", true},
      {L"1 0", false},
      {L"3 0", false},
      {L"0 50", true},  // finishes well inside the time-out
  };
  for (const Case& c : cases) EXPECT_EQ(runProgram(child, c.arguments, 5000), c.expected) << c.arguments;
}

TEST_F(ProcessContract, RunProgramPassesTheArgumentsAndWaitsForTheChild) {
  const std::wstring marker = fileInScratch(L"done.txt");
  ASSERT_TRUE(runProgram(child, L"0 200 \"" + marker + L"\"", 5000));
  EXPECT_TRUE(exists(marker)) << "the child's work is finished when runProgram reports success";
}

TEST_F(ProcessContract, ChildOutlivingTheTimeOutIsFalseAndKeepsRunning) {
  const std::wstring late = fileInScratch(L"late.txt");
  // Exit code 0, but only after 1500 ms: too late for a 200 ms time-out.
  EXPECT_FALSE(runProgram(child, L"0 1500 \"" + late + L"\"", 200));
  EXPECT_FALSE(exists(late)) << "the child cannot have finished yet";
  // Not terminated at the time-out: it still does its work afterwards.
  EXPECT_TRUE(appearsWithin(late, 5000)) << "the timed-out child was killed";
}

TEST_F(ProcessContract, HiddenProcessTellsHowTheChildEnded) {
  const std::wstring missing = joinPath(folder, L"no-such-program.exe");
  struct Case {
    std::wstring line;
    std::uint32_t timeoutMs;
    ChildExit expected;
  };
  const Case cases[] = {
      {quotedChild() + L" 0 0", 5000, ChildExit::ExitedZero},
      {quotedChild() + L" 1 0", 5000, ChildExit::ExitedNonZero},
      {quotedChild() + L" 0 1500", 200, ChildExit::StillRunning},
      {L"\"" + missing + L"\" 0 0", 1000, ChildExit::NotStarted},
      {L"", 1000, ChildExit::NotStarted},
  };
  for (const Case& c : cases)
    EXPECT_EQ(runHiddenProcess(c.line, c.timeoutMs), c.expected) << std::string(c.line.begin(), c.line.end());
}

TEST_F(ProcessContract, HiddenProcessRunsTheLineUnchanged) {
  const std::wstring marker = fileInScratch(L"line.txt");
  EXPECT_EQ(runHiddenProcess(quotedChild() + L" 0 100 \"" + marker + L"\"", 5000), ChildExit::ExitedZero);
  EXPECT_TRUE(exists(marker));
}

TEST_F(ProcessContract, StillRunningChildIsNotKilled) {
  const std::wstring late = fileInScratch(L"still-running.txt");
  EXPECT_EQ(runHiddenProcess(quotedChild() + L" 0 1500 \"" + late + L"\"", 200), ChildExit::StillRunning);
  EXPECT_FALSE(exists(late));
  EXPECT_TRUE(appearsWithin(late, 5000)) << "the timed-out child was killed";
}

TEST_F(ProcessContract, ProgramThatCannotStartIsFalse) {
  const std::wstring missing = joinPath(folder, L"no-such-program.exe");
  EXPECT_FALSE(runProgram(missing, L"0 0", 1000));
  EXPECT_FALSE(startHiddenProcess(L"\"" + missing + L"\""));
}

TEST_F(ProcessContract, StartWithoutWaitingReturnsAtOnceAndTheChildRuns) {
  const std::wstring marker = fileInScratch(L"started.txt");
  ASSERT_TRUE(startHiddenProcess(quotedChild() + L" 0 500 \"" + marker + L"\""));
  EXPECT_FALSE(exists(marker)) << "the start waited for the child";
  EXPECT_TRUE(appearsWithin(marker, 5000));
}

TEST_F(ProcessContract, SystemToolPathIsTheSystemDirectoryAndTheName) {
  const auto system = systemDirectory();
  ASSERT_TRUE(system.has_value());
  EXPECT_EQ(systemToolPath(L"reg.exe"), *system + L"\\reg.exe");
  EXPECT_EQ(systemToolPath(L"bcdedit.exe"), *system + L"\\bcdedit.exe");
  EXPECT_EQ(systemToolCommandLine(L"reg.exe", L"/?"), L"\"" + *system + L"\\reg.exe\" /?");
}

}  // namespace
}  // namespace vx
