// Which vxctl calls change the system and therefore need an elevated process. vxctl.exe keeps no
// manifest so that scripts can read without a UAC prompt; the command table wraps every verb with
// requireElevation, so a changing call refuses before it touches anything.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vx::cli {

// True when this verb with these arguments changes the system (apply, revert, clean, a profile
// that is not a dry run, ...); reading verbs and dry runs answer false.
bool changesSystem(const std::wstring& verb, const std::vector<std::wstring>& args);

// The printed refusal.
inline constexpr const wchar_t* kNeedsElevationText = L"Запустите vxctl от имени администратора";

using VerbRun = std::function<int(const std::vector<std::wstring>& args)>;

// The verb's run, preceded by the check: an unelevated process gets the refusal on standard error
// and exit status 2 (kExitUsage) for a call that changes the system.
VerbRun requireElevation(const std::wstring& verb, VerbRun run);

}  // namespace vx::cli
