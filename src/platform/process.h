// Hidden child processes: started with CREATE_NO_WINDOW and SW_HIDE, waited for with a time-out,
// never killed when it passes. Implemented by win32/ (kernel32) and sim/ (a table of programs).
#pragma once
#include <cstdint>
#include <string>

namespace vx {

// The System32 directory, a backslash, then the file name ("C:\Windows\system32\bcdedit.exe");
// empty when the system directory cannot be read, so that nothing is ever started from a path
// that CreateProcessW would resolve against the current drive.
std::wstring systemToolPath(const std::wstring& exeName);

// How a hidden child ended, as far as the wait could tell.
enum class ChildExit {
  NotStarted,     // CreateProcessW failed (no such program, no rights)
  StillRunning,   // the wait ran out (or failed); the child is left alone
  ExitedNonZero,
  ExitedZero,
};

// Runs the command line unchanged, hidden, and waits at most timeoutMs.
ChildExit runHiddenProcess(const std::wstring& commandLine, std::uint32_t timeoutMs);

// Starts the command line hidden and does not wait for it; true when it started.
bool startHiddenProcess(const std::wstring& commandLine);

// Runs "\"path\" arguments"; true only when the child exited with code 0 within the time-out.
bool runProgram(const std::wstring& exePath, const std::wstring& arguments, std::uint32_t timeoutMs);

// Starts a program for the user, not hidden: ShellExecuteExW with the verb "open", SW_SHOWNORMAL,
// SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI. True when the shell started it.
bool shellStartProgram(const std::wstring& exePath);

// Starts a program with CreateProcessW, the path as application name and default start-up
// information (the fallback when the shell cannot start it). True when it started.
bool startProgramDirectly(const std::wstring& exePath);

}  // namespace vx
