// A line of UTF-8 bytes from a C stream, for both console backends' reading of piped input.
#pragma once
#include <cstdio>
#include <optional>
#include <string>

namespace vx {

// The next line without "\n" or "\r\n"; invalid bytes become U+FFFD; nothing at the end of input.
std::optional<std::wstring> readUtf8Line(std::FILE* stream);

}  // namespace vx
