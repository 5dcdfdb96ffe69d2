#include "platform/utf8_lines.h"

#include "base/text.h"

namespace vx {

std::optional<std::wstring> readUtf8Line(std::FILE* stream) {
  std::string bytes;
  int c = 0;
  while ((c = std::fgetc(stream)) != EOF && c != '\n') bytes.push_back(static_cast<char>(c));
  if (c == EOF && bytes.empty()) return std::nullopt;
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  return fromUtf8(bytes);
}

}  // namespace vx
