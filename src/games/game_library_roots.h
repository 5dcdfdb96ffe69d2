// The folders searched for game executables: Steam libraries under Program Files and on drives
// C: to G:, the Roblox versions folder and the Epic Games folder, in that order, each only if it
// exists. Game discovery builds the list once per process.
#pragma once
#include <string>
#include <vector>

namespace vx {

// The list as the machine is now.
std::vector<std::wstring> buildGameLibraryRoots();

// The five drive letters probed for Steam libraries and game configs; H: and beyond never are.
inline constexpr wchar_t kGameDriveLetters[] = {L'C', L'D', L'E', L'F', L'G'};

}  // namespace vx
