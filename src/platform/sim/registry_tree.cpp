// The simulated registry's tree: key lookup and creation, hive order and the byte form of text.
#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace {

// Upper case of a character already folded to lower case by vx::foldChar (the inverse ranges).
wchar_t upperOfFolded(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);  // Latin-1, not ÷
  if (c >= 0x0430 && c <= 0x044F) return static_cast<wchar_t>(c - 32);           // а..я
  if (c >= 0x0450 && c <= 0x045F) return static_cast<wchar_t>(c - 80);           // ѐ..џ, ё included
  return c;
}

}  // namespace

std::wstring hiveOrderKey(std::wstring_view name) {
  std::wstring key(name);
  for (auto& c : key) c = upperOfFolded(foldChar(c));
  return key;
}

std::vector<std::wstring> splitKeyPath(std::wstring_view path) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find(L'\\', start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::vector<std::uint8_t> toUtf16leBytes(std::wstring_view text, bool terminator) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  const auto unit = [&bytes](std::uint32_t u) {
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((u >> 8) & 0xFF));
  };
  for (wchar_t wc : text) {
    auto c = static_cast<std::uint32_t>(wc);
    if (c > 0xFFFF && c <= 0x10FFFF) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c > 0x10FFFF ? 0xFFFD : c);
    }
  }
  if (terminator) unit(0);
  return bytes;
}

std::wstring fromUtf16leBytes(const std::vector<std::uint8_t>& data) {
  std::wstring text;
  const std::size_t units = data.size() / 2;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t c = data[2 * i] | (static_cast<std::uint32_t>(data[2 * i + 1]) << 8);
    if constexpr (sizeof(wchar_t) > 2) {
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
        const std::uint32_t low = data[2 * i + 2] | (static_cast<std::uint32_t>(data[2 * i + 3]) << 8);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    text.push_back(static_cast<wchar_t>(c));
  }
  return text;
}

RegKey* Machine::State::findKey(RegRoot root, std::wstring_view path) {
  RegKey* key = &rootKey(root);
  for (const auto& part : splitKeyPath(path)) {
    auto it = key->subkeys.find(hiveOrderKey(part));
    if (it == key->subkeys.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

RegKey* Machine::State::openKey(RegRoot root, std::wstring_view path) {
  RegKey* key = findKey(root, path);
  return key != nullptr && !key->denied ? key : nullptr;
}

RegKey* Machine::State::createKey(RegRoot root, std::wstring_view path, bool asPlatform) {
  RegKey* key = &rootKey(root);
  for (const auto& part : splitKeyPath(path)) {
    auto& slot = key->subkeys[hiveOrderKey(part)];
    if (!slot) {
      if (asPlatform && (key->denied || key->readOnly || part.size() > kMaxKeyNameChars)) {
        key->subkeys.erase(hiveOrderKey(part));
        return nullptr;
      }
      slot = std::make_unique<RegKey>();
      slot->name = part;
    }
    key = slot.get();
  }
  return asPlatform && key->denied ? nullptr : key;
}

}  // namespace vx::sim
