// Console output for the command-line front end: UTF-8 bytes on standard output and error.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

// Makes the console show UTF-8 (SetConsoleOutputCP on Windows); harmless when redirected.
void prepareUtf8Console();

void writeStdout(const std::wstring& text);
void writeStderr(const std::wstring& text);

// Waits up to ms for Ctrl+C or Ctrl+Break (SetConsoleCtrlHandler, installed on first call; the
// process is then not ended by them). True once an interrupt has arrived, also from before.
bool waitForInterrupt(std::uint32_t ms);

}  // namespace vx
