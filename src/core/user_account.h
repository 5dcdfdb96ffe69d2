// Whose profile this process changes. A standard user who elevates with an administrator's
// password runs the program as that administrator: HKCU and the profile folders are then the
// administrator's, not those of the user at the desktop. The guarded calls make every tweak that
// changes the user's profile unavailable then; the window says so once at start.
#pragma once
#include <optional>
#include <string>

namespace vx {

inline constexpr const wchar_t* kAnotherAccountNote = L"Vantorix запущен от имени другой учётной записи";
inline constexpr const wchar_t* kAnotherAccountStatus =
    L"Vantorix запущен от имени другой учётной записи: настройки вашего профиля не изменятся";

// True when the desktop's shell runs as another user than this process (shellRunsAsAnotherUser).
// Decided on the first call and kept for the process; safe from any thread.
bool runsAsAnotherAccount();

// The decision if a call of runsAsAnotherAccount() has taken it, without taking it: the window
// leaves the check to the state refresher's first query and reads the answer from there.
std::optional<bool> accountDecisionIfTaken();

// Forgets the decision so that the next call decides again (tests that change the desktop's user).
void forgetAccountDecision();

// True when the path lies in this process's user profile: below %USERPROFILE%, %LOCALAPPDATA% or
// %APPDATA% (compared without case, on whole path components).
bool isInUserProfile(const std::wstring& path);

}  // namespace vx
