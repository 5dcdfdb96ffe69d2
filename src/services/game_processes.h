// Which running processes count as games for the booster: the fixed list of image names (the
// Steam client included) and the rules for Unreal Engine shipping builds and "-win64-" builds.
// Used by BoosterEngine's scan and by its tests.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace vx {

// The 50 known game image names, lower case.
std::span<const std::wstring_view> gameProcessNames();

// The image name, folded to lower case (ASCII, Latin-1, Cyrillic alike), equals a known name or
// contains "shipping" or "-win64-".
bool isGameProcessName(std::wstring_view imageName);

// Takes a process snapshot; false when it cannot be taken or no game runs.
bool isGameRunning();

}  // namespace vx
