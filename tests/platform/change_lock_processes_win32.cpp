// The change lock between two Windows processes (this test and vx_testchild.exe "lock"): while
// the child holds it this process cannot take it, and once the child ends without letting go the
// abandoned mutex is taken here. Also which named mutex the lock is: the Administrators' private
// namespace on Windows, the Global\ name under Wine, which has no private namespaces.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/change_lock.h"
#include "platform/files.h"
#include "platform/win32/change_lock_route.h"
#include "platform/win32/handles.h"
#include "scene.h"

namespace vx {
namespace {

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

const char* routeName(win32::ChangeLockRoute route) {
  switch (route) {
    case win32::ChangeLockRoute::PrivateNamespace: return "private namespace";
    case win32::ChangeLockRoute::GlobalName: return "Global\\ name";
    case win32::ChangeLockRoute::Unopened: return "none";
  }
  return "?";
}

TEST(ChangeLockProcesses, PrivateNamespaceOnWindowsGlobalNameUnderWine) {
  const win32::ChangeLockRoute route = win32::changeLockRoute();
  std::printf("change lock: %s\n", routeName(route));
  ::testing::Test::RecordProperty("changeLockRoute", routeName(route));
  EXPECT_EQ(route, underWine() ? win32::ChangeLockRoute::GlobalName : win32::ChangeLockRoute::PrivateNamespace)
      << routeName(route);
}

TEST(ChangeLockProcesses, AnotherProcessKeepsItOutUntilItEndsAndAbandonsIt) {
  const std::wstring signal = joinPath(scene::scratchFolder(), L"locked.txt");
  std::wstring commandLine = L"\"" + scene::childProgramPath() + L"\" lock 1500 \"" + signal + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &info));
  const win32::UniqueHandle process(info.hProcess);
  const win32::UniqueHandle thread(info.hThread);
  const auto start = std::chrono::steady_clock::now();
  while (fileStatus(signal).kind == FileKind::Missing && std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_NE(fileStatus(signal).kind, FileKind::Missing) << "the child never took the lock";

  EXPECT_FALSE(acquireChangeLock(0));
  EXPECT_FALSE(acquireChangeLock(100));
  // The child ends after its hold without releasing: WAIT_ABANDONED counts as taken.
  EXPECT_TRUE(acquireChangeLock(10000));
  releaseChangeLock();
  ASSERT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u) << "4: the child found the lock taken";
}

}  // namespace
}  // namespace vx
