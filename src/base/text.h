// Text helpers that behave the same on Windows and Linux: case folding that covers ASCII,
// Latin-1 and Cyrillic without the C library's locale, UTF-16 lengths and UTF-8 conversion.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

// Lower case of one character: ASCII, Latin-1 (À..Þ except ×), Cyrillic А..Я, Ѐ..Џ (Ё → ё).
wchar_t foldChar(wchar_t c);
std::wstring toLowerFolded(std::wstring_view text);
bool containsFolded(std::wstring_view haystack, std::wstring_view needle);
bool equalsFolded(std::wstring_view a, std::wstring_view b);

// Letter or digit as Windows' iswalnum answers for ASCII, Latin-1, Latin Extended-A/B and
// Cyrillic, without the C library's locale (MinGW and glibc disagree there). Characters outside
// those blocks count as neither.
bool isLetterOrDigit(wchar_t c);

// Length in UTF-16 code units: a character outside the BMP counts twice, also where wchar_t is 32-bit.
std::size_t utf16Length(std::wstring_view text);

std::string toUtf8(std::wstring_view text);
// Invalid sequences become U+FFFD.
std::wstring fromUtf8(std::string_view bytes);

}  // namespace vx
