// Reading and setting one entry of an Unreal Engine style .ini file ("[Section]" headers and
// "key=value" lines), with exact, case-sensitive section and key names. The line versions hold
// the rules; the file versions read and rewrite the file around them. Used by UeEngineIniTweak.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vx {

// The trimmed value of the first line "key=..." inside a section named `section`; empty when none.
std::wstring iniValueIn(const std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key);

// Replaces the first "key=..." line of the section by "key=value"; otherwise inserts the line just
// before the header that ends the section's last occurrence, appends it when the section runs to
// the end, or appends an empty line (when the file does not end with one), the header and the line.
void setIniValueIn(std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value);

// The index of the line iniValueIn reads (the first "key=..." inside the section), or nothing.
std::optional<std::size_t> iniLineIndex(const std::vector<std::wstring>& lines, const std::wstring& section,
                                        const std::wstring& key);

// Puts one entry back as `before` had it: the line iniLineIndex finds gets before's line, or is
// removed when before has none (or before is null); an entry missing now is set again from before.
void restoreIniEntry(std::vector<std::wstring>& lines, const std::vector<std::wstring>* before,
                     const std::wstring& section, const std::wstring& key);

// The file versions: empty when the file cannot be read; false when it cannot be written (the
// file then stays as it was). setIniValue creates the folder and the file when missing.
std::wstring readIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key);
bool setIniValue(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                 const std::wstring& value);

}  // namespace vx
