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

// Nothing when the file cannot be read.
std::optional<std::vector<std::wstring>> readTextLines(const std::wstring& path);
// Written to a temporary file beside the target and moved into place: a failure leaves the old
// file as it was.
bool writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Leading blanks and tabs, then trailing blanks, tabs and carriage returns removed.
std::wstring trimConfigText(const std::wstring& text);

}  // namespace vx
