// Console output on the native build: UTF-8 bytes straight to the standard streams.
#include "platform/console.h"

#include <cstdio>

#include "base/text.h"

namespace vx {

namespace {

void writeTo(std::FILE* stream, const std::wstring& text) {
  const std::string bytes = toUtf8(text);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

void prepareUtf8Console() {}

void writeStdout(const std::wstring& text) { writeTo(stdout, text); }
void writeStderr(const std::wstring& text) { writeTo(stderr, text); }

}  // namespace vx
