// Game configuration files as 8-bit text: byte b is character b, so bytes outside ASCII pass
// through an edit unchanged; CR LF or LF ends a line on reading, CR LF on writing. Used by the
// config-file tweaks and the .ini editor.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vx {

// A final line end does not make an extra empty line; a lone CR stays in its line.
std::vector<std::wstring> splitTextLines(const std::string& bytes);
// Every line followed by CR LF.
std::string joinTextLines(const std::vector<std::wstring>& lines);

// Characters above 255 cannot be stored in an 8-bit file and become '?'.
std::string toEightBit(const std::wstring& text);
std::wstring fromEightBit(const std::string& bytes);

// A config file's bytes, read only up to kGameConfigLimit: nothing when it cannot be read or is
// larger (also when it grew past the limit while being read).
std::optional<std::string> readConfigBytes(const std::wstring& path);
// The file is over kGameConfigLimit now: a tweak then changes nothing and says so.
bool configTooLarge(const std::wstring& path);

// Nothing when the file cannot be read or is over kGameConfigLimit.
std::optional<std::vector<std::wstring>> readTextLines(const std::wstring& path);
// Written to a temporary file beside the target and moved into place: a failure leaves the old
// file as it was.
bool writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Leading blanks and tabs, then trailing blanks, tabs and carriage returns removed.
std::wstring trimConfigText(const std::wstring& text);

}  // namespace vx
