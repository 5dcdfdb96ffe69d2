// Console output of the command-line front end: UTF-8 bytes through the C runtime, which works
// for a console as well as for output redirected to a file or a pipe.
#include "platform/console.h"

#include <windows.h>

#include <cstdio>

#include "base/process_wide.h"
#include "base/text.h"
#include "platform/utf8_lines.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

void writeUtf8(std::FILE* stream, const std::wstring& text) {
  const std::string bytes = toUtf8(text);
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

void prepareUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

void writeStdout(const std::wstring& text) { writeUtf8(stdout, text); }

std::optional<std::wstring> readStdinLine() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  std::wstring line;
  if (input != nullptr && input != INVALID_HANDLE_VALUE && GetConsoleMode(input, &mode)) {
    // A console: characters as typed, until the line end.
    for (;;) {
      wchar_t c = 0;
      DWORD read = 0;
      if (!ReadConsoleW(input, &c, 1, &read, nullptr) || read == 0) return line.empty() ? std::nullopt : std::optional(line);
      if (c == L'\n') break;
      line.push_back(c);
    }
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty() && line.front() == L'\x1A') return std::nullopt;  // Ctrl+Z, Enter: end of input
    return line;
  }
  return readUtf8Line(stdin);
}

void writeStderr(const std::wstring& text) { writeUtf8(stderr, text); }

namespace {

// A manual-reset event that the console's Ctrl+C sets; it lives as long as the process.
struct InterruptEvent {
  win32::UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

BOOL WINAPI onConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;  // closing still ends the process
  SetEvent(processWide<InterruptEvent>().event.get());
  return TRUE;
}

}  // namespace

bool waitForInterrupt(std::uint32_t ms) {
  static const bool installed = [] {
    processWide<InterruptEvent>();  // created before the handler can run
    return SetConsoleCtrlHandler(onConsoleControl, TRUE) != FALSE;
  }();
  const HANDLE event = processWide<InterruptEvent>().event.get();
  if (!installed || event == nullptr) {
    Sleep(ms);
    return false;
  }
  return WaitForSingleObject(event, ms) == WAIT_OBJECT_0;
}

}  // namespace vx
