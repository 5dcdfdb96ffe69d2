#include "games/config_text.h"

#include "games/eight_bit_text.h"

namespace vx {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool startsWith(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

std::optional<ConfigText> decodeUtf16(const std::string& bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  ConfigText text;
  text.encoding = bigEndian ? ConfigEncoding::Utf16Be : ConfigEncoding::Utf16Le;
  std::wstring line;
  bool open = false;  // characters since the last line end
  bool sawCrLf = false, sawLf = false;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    const unsigned hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const wchar_t unit = static_cast<wchar_t>(hi << 8 | lo);
    if (unit == L'\n') {
      const bool crlf = !line.empty() && line.back() == L'\r';
      if (crlf) line.pop_back();
      (crlf ? sawCrLf : sawLf) = true;
      text.lines.push_back(std::move(line));
      line.clear();
      open = false;
      continue;
    }
    line.push_back(unit);
    open = true;
  }
  if (open) text.lines.push_back(std::move(line));
  text.lineFeedOnly = sawLf && !sawCrLf;
  return text;
}

void appendUtf16(std::string& out, wchar_t c, bool bigEndian) {
  const char lo = static_cast<char>(static_cast<unsigned>(c) & 0xFF);
  const char hi = static_cast<char>((static_cast<unsigned>(c) >> 8) & 0xFF);
  out.push_back(bigEndian ? hi : lo);
  out.push_back(bigEndian ? lo : hi);
}

}  // namespace

std::optional<ConfigText> decodeConfigText(const std::string& bytes) {
  if (startsWith(bytes, kUtf16LeMark)) return decodeUtf16(bytes, false);
  if (startsWith(bytes, kUtf16BeMark)) return decodeUtf16(bytes, true);
  if (bytes.find('\0') != std::string::npos) return std::nullopt;
  ConfigText text;
  if (startsWith(bytes, kUtf8Mark)) {
    text.encoding = ConfigEncoding::Utf8Bom;
    text.lines = splitTextLines(bytes.substr(kUtf8Mark.size()));
  } else {
    text.lines = splitTextLines(bytes);
  }
  return text;
}

std::string encodeConfigText(const ConfigText& text) {
  switch (text.encoding) {
    case ConfigEncoding::EightBit:
      return joinTextLines(text.lines);
    case ConfigEncoding::Utf8Bom:
      return std::string(kUtf8Mark) + joinTextLines(text.lines);
    case ConfigEncoding::Utf16Le:
    case ConfigEncoding::Utf16Be:
      break;
  }
  const bool bigEndian = text.encoding == ConfigEncoding::Utf16Be;
  std::string out(bigEndian ? kUtf16BeMark : kUtf16LeMark);
  for (const std::wstring& line : text.lines) {
    for (wchar_t c : line) appendUtf16(out, c, bigEndian);
    if (!text.lineFeedOnly) appendUtf16(out, L'\r', bigEndian);
    appendUtf16(out, L'\n', bigEndian);
  }
  return out;
}

std::optional<ConfigText> readConfigText(const std::wstring& path) {
  const auto bytes = readConfigBytes(path);
  if (!bytes) return std::nullopt;
  return decodeConfigText(*bytes);
}

}  // namespace vx
