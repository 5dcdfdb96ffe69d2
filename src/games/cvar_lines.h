// Setting a console variable in the lines of a game's config file ("graphics.fov "90""), as
// Rust's client.cfg holds them. Used by CvarFileTweak.
#pragma once
#include <string>
#include <vector>

namespace vx {

// Replaces the first line that begins with key + " " or key + "=" (exact, untrimmed) by
// key + " " + value; later duplicates stay. Appends that line when no line matches.
void setCvarIn(std::vector<std::wstring>& lines, const std::wstring& key, const std::wstring& value);

// The first line the key would replace, or nothing.
const std::wstring* findCvarLine(const std::vector<std::wstring>& lines, const std::wstring& key);

}  // namespace vx
