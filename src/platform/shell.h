// The desktop shell: opening a file, folder, program or URI for the user, the shell's window and
// whose account it runs under. Used by the window's driver and backup-folder buttons, the colour
// settings tweak, the Explorer restart and the per-user tweak guard. Implemented by win32/ and sim/.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

// Opens the target with the verb "open", SW_SHOWNORMAL, unelevated where possible: first through
// the shell's own process (the desktop's IShellDispatch2::ShellExecute), so what starts runs as
// the desktop's user and not with this process's elevation; when any step of that route fails,
// ShellExecuteW from this process. COM is initialised (apartment-threaded) on the calling thread
// for the call. A file system path that does not exist is refused before either route (the
// desktop's route would answer success for it). True when either route started something.
bool shellOpen(const std::wstring& target);

// GetShellWindow as a number: 0 when there is no shell window (no Explorer running; always so
// under Wine). A restarted shell has a new window, so a different number.
std::uint64_t shellWindow();

// True when a shell window exists and the user SID of its process differs from this process's
// user: the program was elevated with another account's password, so HKCU and the profile
// folders are that other account's. No shell window, or a process or token that cannot be read,
// counts as the same user.
bool shellRunsAsAnotherUser();

}  // namespace vx
