// Hidden child processes: started with CREATE_NO_WINDOW and SW_HIDE, waited for with a time-out,
// never killed when it passes. Implemented by win32/ (kernel32) and sim/ (a table of programs).
#pragma once
#include <cstdint>
#include <string>

namespace vx {

// The System32 directory, a backslash, then the file name ("C:\Windows\system32\bcdedit.exe").
std::wstring systemToolPath(const std::wstring& exeName);

// Runs "\"path\" arguments"; true only when the child exited with code 0 within the time-out.
// False when it cannot be started, exits non-zero or is still running at the time-out.
bool runProgram(const std::wstring& exePath, const std::wstring& arguments, std::uint32_t timeoutMs);

// Runs the command line unchanged; true when the exit code read after the wait is 0.
bool runCommandLine(const std::wstring& commandLine, std::uint32_t timeoutMs);

// Runs the command line, waits at most 8 s and reports nothing.
void runHidden(const std::wstring& commandLine);

}  // namespace vx
