// Console input and output for the command-line front end: UTF-8 bytes on standard output and
// error, lines of standard input as text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vx {

// Makes the console show UTF-8 (SetConsoleOutputCP on Windows); harmless when redirected.
void prepareUtf8Console();

void writeStdout(const std::wstring& text);
void writeStderr(const std::wstring& text);

// One line of standard input without its line end; nothing at the end of input. A console is read
// as UTF-16 (ReadConsoleW: its input code page is rarely UTF-8, so Russian typed there would
// arrive mangled), a pipe or file as UTF-8 bytes.
std::optional<std::wstring> readStdinLine();

// Waits up to ms for Ctrl+C or Ctrl+Break (SetConsoleCtrlHandler, installed on first call; the
// process is then not ended by them). True once an interrupt has arrived, also from before.
bool waitForInterrupt(std::uint32_t ms);

}  // namespace vx
