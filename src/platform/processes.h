// The image names of the running processes, as the tool-help snapshot lists them. Used by the game
// booster's scan; implemented by win32/ (CreateToolhelp32Snapshot) and sim/ (the machine's list).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vx {

// File names as Windows reports them ("cs2.exe", letter case kept), in snapshot order; nothing
// when the snapshot cannot be taken.
std::optional<std::vector<std::wstring>> processImageNames();

}  // namespace vx
