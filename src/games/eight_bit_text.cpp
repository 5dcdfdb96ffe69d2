#include "games/eight_bit_text.h"

#include "core/read_limits.h"
#include "platform/files.h"

namespace vx {

std::wstring fromEightBit(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

std::string toEightBit(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(static_cast<unsigned>(c) <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

std::vector<std::wstring> splitTextLines(const std::string& bytes) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = bytes.size();
    std::size_t stop = end;
    if (!last && stop > start && bytes[stop - 1] == '\r') --stop;  // CR LF is one line end
    lines.push_back(fromEightBit(bytes.substr(start, stop - start)));
    start = last ? end : end + 1;
  }
  return lines;
}

std::string joinTextLines(const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const std::wstring& line : lines) {
    bytes += toEightBit(line);
    bytes += "\r\n";
  }
  return bytes;
}

std::optional<std::string> readConfigBytes(const std::wstring& path) {
  BoundedRead read = readFileBounded(path, kGameConfigLimit);
  if (read.status != ReadStatus::Ok) return std::nullopt;
  return std::move(read.bytes);
}

bool configTooLarge(const std::wstring& path) {
  const FileStatus status = fileStatus(path);
  return status.kind == FileKind::File && status.size > kGameConfigLimit;
}

std::optional<std::vector<std::wstring>> readTextLines(const std::wstring& path) {
  const auto bytes = readConfigBytes(path);
  if (!bytes) return std::nullopt;
  return splitTextLines(*bytes);
}

bool writeTextLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
  return writeFileAtomic(path, joinTextLines(lines));
}

std::wstring trimConfigText(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  const std::size_t last = text.find_last_not_of(L" \t\r");
  if (last == std::wstring::npos || last < first) return {};
  return text.substr(first, last - first + 1);
}

}  // namespace vx
