#include "core/tweak_change.h"

namespace vx {

RegValueImage RegValueImage::dword(std::uint32_t value) {
  return raw(kRegTypeDword, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                             static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

RegValueImage RegValueImage::string(const std::wstring& text, std::uint32_t type) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (wchar_t c : text) {
    const auto unit = static_cast<std::uint16_t>(c);
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return raw(type, std::move(bytes));
}

RegValueImage RegValueImage::raw(std::uint32_t type, std::vector<std::uint8_t> bytes) {
  RegValueImage image;
  image.present = true;
  image.type = type;
  image.data = std::move(bytes);
  return image;
}

}  // namespace vx
