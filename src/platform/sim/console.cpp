// Console output on the native build: UTF-8 bytes straight to the standard streams.
#include "platform/console.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "base/text.h"
#include "platform/utf8_lines.h"
#include "platform/sim/machine_state.h"

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

std::optional<std::wstring> readStdinLine() {
  return readUtf8Line(stdin);
}

// Real time passes, in 100 ms slices, until the machine's console got a Ctrl+C.
bool waitForInterrupt(std::uint32_t ms) {
  const auto interrupted = [] {
    auto& m = sim::machine();
    std::lock_guard lock(m.mutex());
    return m.state().readings.consoleInterrupted;
  };
  for (std::uint32_t waited = 0; waited < ms && !interrupted(); waited += 100)
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::uint32_t>(100, ms - waited)));
  return interrupted();
}

}  // namespace vx
