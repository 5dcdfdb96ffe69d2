#include "core/change_values.h"

#include <cctype>
#include <cstdio>

#include "platform/power.h"
#include "platform/services.h"

namespace vx {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// "{8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c}": Data1..Data3 printed as numbers, Data4 as bytes.
std::wstring guidText(const Guid& guid) {
  const auto& b = guid.bytes;
  wchar_t text[40];
  std::swprintf(text, 40, L"{%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x}", b[3], b[2], b[1],
                b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return text;
}

int hexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::optional<Guid> guidOfText(const std::wstring& text) {
  // Byte order of the text's hex pairs in memory: Data1..Data3 reversed, Data4 as written.
  static constexpr int kMemoryIndex[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return std::nullopt;
  Guid guid;
  int pair = 0;
  for (std::size_t i = 1; i + 1 < text.size();) {
    if (text[i] == L'-') {
      ++i;
      continue;
    }
    const int high = hexValue(text[i]);
    const int low = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
    if (high < 0 || low < 0 || pair >= 16) return std::nullopt;
    guid.bytes[kMemoryIndex[pair++]] = static_cast<std::uint8_t>(high * 16 + low);
    i += 2;
  }
  if (pair != 16 || guidText(guid).size() != text.size()) return std::nullopt;
  return guid;
}

// The UTF-16 units of string data, up to the first NUL when stopAtNul.
std::wstring unitsOf(const std::vector<std::uint8_t>& data, bool stopAtNul) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0 && stopAtNul) break;
    text.push_back(unit);
  }
  return text;
}

std::uint64_t littleEndian(const std::vector<std::uint8_t>& data, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= static_cast<std::uint64_t>(data[i]) << (8 * i);
  return value;
}

std::wstring hexBytesForPeople(const std::vector<std::uint8_t>& data) {
  constexpr std::size_t kShown = 32;
  std::wstring text;
  for (std::size_t i = 0; i < data.size() && i < kShown; ++i) {
    if (!text.empty()) text += L' ';
    text += static_cast<wchar_t>(std::toupper(kHexDigits[data[i] >> 4]));
    text += static_cast<wchar_t>(std::toupper(kHexDigits[data[i] & 15]));
  }
  if (data.size() > kShown) text += L" …";
  return text;
}

}  // namespace

bool changeHasValue(const TweakChange& change) {
  return change.kind == ChangeKind::RegistryValue || change.kind == ChangeKind::ServiceStart ||
         change.kind == ChangeKind::PowerScheme;
}

std::optional<RegValueImage> readChangeValue(const TweakChange& change) {
  switch (change.kind) {
    case ChangeKind::RegistryValue: {
      if (auto raw = regReadRaw(change.root, change.key, change.valueName))
        return RegValueImage::raw(raw->type, std::move(raw->data));
      // A missing value in a key that opens, or a missing key, is no value; a key that refuses to
      // open hides whether the value is there.
      if (regKeyAbsent(change.root, change.key) || regKeyExists(change.root, change.key)) return RegValueImage::absent();
      return std::nullopt;
    }
    case ChangeKind::ServiceStart: {
      const int start = serviceStartType(change.key);
      if (start >= 0) return RegValueImage::dword(static_cast<std::uint32_t>(start));
      if (!serviceExists(change.key)) return RegValueImage::absent();
      return std::nullopt;
    }
    case ChangeKind::PowerScheme: {
      const auto active = activePowerScheme();
      if (!active) return std::nullopt;
      return RegValueImage::string(guidText(*active));
    }
    case ChangeKind::BootValue:
    case ChangeKind::File:
    case ChangeKind::Command:
      break;
  }
  return std::nullopt;
}

bool writeChangeValue(const TweakChange& change, const RegValueImage& value) {
  switch (change.kind) {
    case ChangeKind::RegistryValue:
      if (!value.present) return regDeleteValue(change.root, change.key, change.valueName);
      return regWriteRaw(change.root, change.key, change.valueName, value.type, value.data);
    case ChangeKind::ServiceStart:
      if (!value.present || value.type != kRegTypeDword || value.data.size() != 4) return false;
      return setServiceStartType(change.key, static_cast<std::uint32_t>(littleEndian(value.data, 4)));
    case ChangeKind::PowerScheme: {
      if (!value.present || value.type != kRegTypeSz) return false;
      const auto guid = guidOfText(unitsOf(value.data, true));
      return guid && setActivePowerScheme(*guid);
    }
    case ChangeKind::BootValue:
    case ChangeKind::File:
    case ChangeKind::Command:
      break;
  }
  return false;
}

std::wstring regTypeName(std::uint32_t type) {
  switch (type) {
    case 0: return L"REG_NONE";
    case kRegTypeSz: return L"REG_SZ";
    case kRegTypeExpandSz: return L"REG_EXPAND_SZ";
    case kRegTypeBinary: return L"REG_BINARY";
    case kRegTypeDword: return L"REG_DWORD";
    case kRegTypeMultiSz: return L"REG_MULTI_SZ";
    case kRegTypeQword: return L"REG_QWORD";
    default: return L"тип " + std::to_wstring(type);
  }
}

std::wstring readableValue(const RegValueImage& value) {
  if (!value.present) return L"нет";
  const auto& data = value.data;
  switch (value.type) {
    case kRegTypeDword:
      if (data.size() == 4) return std::to_wstring(littleEndian(data, 4));
      break;
    case kRegTypeQword:
      if (data.size() == 8) return std::to_wstring(littleEndian(data, 8));
      break;
    case kRegTypeSz:
    case kRegTypeExpandSz:
      if (data.size() % 2 == 0) return unitsOf(data, true);
      break;
    case kRegTypeMultiSz:
      if (data.size() % 2 == 0) {
        std::wstring joined;
        std::wstring part;
        for (wchar_t unit : unitsOf(data, false)) {
          if (unit != 0) {
            part.push_back(unit);
            continue;
          }
          if (part.empty()) break;  // the closing empty string
          if (!joined.empty()) joined += L" | ";
          joined += part;
          part.clear();
        }
        if (!part.empty()) joined += (joined.empty() ? L"" : L" | ") + part;
        return joined;
      }
      break;
    default:
      break;
  }
  return hexBytesForPeople(data);
}

std::string hexOfBytes(const std::vector<std::uint8_t>& bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    hex.push_back(kHexDigits[b >> 4]);
    hex.push_back(kHexDigits[b & 15]);
  }
  return hex;
}

std::optional<std::vector<std::uint8_t>> bytesOfHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = hexValue(static_cast<unsigned char>(hex[i]));
    const int low = hexValue(static_cast<unsigned char>(hex[i + 1]));
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

}  // namespace vx
