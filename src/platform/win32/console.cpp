// Console output of the command-line front end: UTF-8 bytes through the C runtime, which works
// for a console as well as for output redirected to a file or a pipe.
#include "platform/console.h"

#include <windows.h>

#include <cstdio>

#include "base/text.h"

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

void writeStderr(const std::wstring& text) { writeUtf8(stderr, text); }

}  // namespace vx
