// Console output for the command-line front end: UTF-8 bytes on standard output and error.
#pragma once
#include <string>

namespace vx {

// Makes the console show UTF-8 (SetConsoleOutputCP on Windows); harmless when redirected.
void prepareUtf8Console();

void writeStdout(const std::wstring& text);
void writeStderr(const std::wstring& text);

}  // namespace vx
