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

// Puts the key back as `before` had it: the line setCvarIn would replace gets before's line for
// the key, or is removed when before has none (or before is null); a key missing now is appended
// again from before.
void restoreCvarIn(std::vector<std::wstring>& lines, const std::vector<std::wstring>* before, const std::wstring& key);

}  // namespace vx
