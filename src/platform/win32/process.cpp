// Hidden child processes (kernel32): CreateProcessW without a window, a bounded wait, and no
// termination when the wait runs out.
#include "platform/process.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

struct ChildOutcome {
  bool started = false;
  DWORD wait = WAIT_FAILED;
  DWORD exitCode = 1;  // what a child counts as when its exit code cannot be read
};

ChildOutcome runHiddenChild(const std::wstring& commandLine, DWORD timeoutMs) {
  ChildOutcome outcome;
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info))
    return outcome;
  const win32::UniqueHandle process(info.hProcess);
  const win32::UniqueHandle thread(info.hThread);
  outcome.started = true;

  // A child still running here is left alone: the tools started this way (bcdedit, dism, netsh)
  // must not be killed halfway through a change.
  outcome.wait = WaitForSingleObject(process.get(), timeoutMs);
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code)) outcome.exitCode = code;
  return outcome;
}

}  // namespace

std::wstring systemToolPath(const std::wstring& exeName) {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(buffer, length) + L"\\" + exeName;
}

ChildExit runHiddenProcess(const std::wstring& commandLine, std::uint32_t timeoutMs) {
  const ChildOutcome outcome = runHiddenChild(commandLine, timeoutMs);
  if (!outcome.started) return ChildExit::NotStarted;
  if (outcome.wait != WAIT_OBJECT_0) return ChildExit::StillRunning;
  return outcome.exitCode == 0 ? ChildExit::ExitedZero : ChildExit::ExitedNonZero;
}

bool startHiddenProcess(const std::wstring& commandLine) { return runHiddenChild(commandLine, 0).started; }

bool shellStartProgram(const std::wstring& exePath) {
  // ShellExecuteExW expects COM (a single-threaded apartment) on the calling thread.
  const win32::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = exePath.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

bool startProgramDirectly(const std::wstring& exePath) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exePath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  const win32::UniqueHandle process(info.hProcess);
  const win32::UniqueHandle thread(info.hThread);
  return true;
}

bool runProgram(const std::wstring& exePath, const std::wstring& arguments, std::uint32_t timeoutMs) {
  return runHiddenProcess(L"\"" + exePath + L"\" " + arguments, timeoutMs) == ChildExit::ExitedZero;
}

}  // namespace vx
