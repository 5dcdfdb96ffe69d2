// vx_testchild.exe: the child program of the process contract tests. Arguments "N M [FILE]":
// waits M milliseconds, then creates FILE (empty) when given, then exits with code N.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const unsigned long exitCode = std::wcstoul(argv[1], nullptr, 10);
  const unsigned long waitMs = std::wcstoul(argv[2], nullptr, 10);
  Sleep(static_cast<DWORD>(waitMs));
  if (argc >= 4) {
    const HANDLE file =
        CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    CloseHandle(file);
  }
  return static_cast<int>(exitCode);
}
