// vx_testchild.exe: the child program of the process contract tests. Arguments "N M [FILE]":
// waits M milliseconds, then creates FILE (empty) when given, then exits with code N.
// Arguments "lock M FILE": takes Vantorix's change lock, creates FILE, holds the lock M
// milliseconds and ends without releasing it (exit code 0; 4 when the lock was not free).
#include <windows.h>

#include <cwchar>

#include "platform/change_lock.h"

namespace {

bool createEmptyFile(const wchar_t* path) {
  const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  if (argc >= 4 && std::wcscmp(argv[1], L"lock") == 0) {
    if (!vx::acquireChangeLock(0)) return 4;
    if (!createEmptyFile(argv[3])) return 3;
    Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    return 0;  // the process ends holding the lock: Windows abandons it
  }
  const unsigned long exitCode = std::wcstoul(argv[1], nullptr, 10);
  const unsigned long waitMs = std::wcstoul(argv[2], nullptr, 10);
  Sleep(static_cast<DWORD>(waitMs));
  if (argc >= 4 && !createEmptyFile(argv[3])) return 3;
  return static_cast<int>(exitCode);
}
