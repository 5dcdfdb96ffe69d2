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

namespace vx {

TweakChange registryChange(RegRoot root, std::wstring key, std::wstring valueName, RegValueImage onApply,
                           RegValueImage onRevert) {
  TweakChange change;
  change.root = root;
  change.key = std::move(key);
  change.valueName = std::move(valueName);
  change.onApply = std::move(onApply);
  change.onRevert = std::move(onRevert);
  return change;
}

TweakChange keptOnRevert(RegRoot root, std::wstring key, std::wstring valueName, RegValueImage onApply) {
  TweakChange change = registryChange(root, std::move(key), std::move(valueName), onApply, onApply);
  change.keepsOnRevert = true;
  return change;
}

TweakChange serviceStartChange(std::wstring serviceName, std::uint32_t appliedStart, std::uint32_t revertStart) {
  TweakChange change;
  change.kind = ChangeKind::ServiceStart;
  change.key = std::move(serviceName);
  change.onApply = RegValueImage::dword(appliedStart);
  change.onRevert = RegValueImage::dword(revertStart);
  return change;
}

TweakChange commandChange(std::wstring applyCommand, std::wstring revertCommand) {
  TweakChange change;
  change.kind = ChangeKind::Command;
  change.applyCommand = std::move(applyCommand);
  change.revertCommand = std::move(revertCommand);
  change.readsBack = false;
  return change;
}

TweakChange bootValueChange(std::wstring entry, std::wstring element, std::wstring applyCommand,
                            std::wstring revertCommand) {
  TweakChange change = commandChange(std::move(applyCommand), std::move(revertCommand));
  change.kind = ChangeKind::BootValue;
  change.key = std::move(entry);
  change.valueName = std::move(element);
  return change;
}

std::wstring guidText(const Guid& guid) {
  constexpr const wchar_t* kHex = L"0123456789abcdef";
  // Data1..Data3 are little-endian in memory; Data4 is written byte by byte.
  constexpr int kOrder[] = {3, 2, 1, 0, -1, 5, 4, -1, 7, 6, -1, 8, 9, -1, 10, 11, 12, 13, 14, 15};
  std::wstring text = L"{";
  for (int index : kOrder) {
    if (index < 0) {
      text += L'-';
      continue;
    }
    text += kHex[guid.bytes[static_cast<std::size_t>(index)] >> 4];
    text += kHex[guid.bytes[static_cast<std::size_t>(index)] & 0xF];
  }
  return text + L"}";
}

}  // namespace vx
