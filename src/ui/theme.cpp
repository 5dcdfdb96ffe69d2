#include "ui/theme.h"

#include <cstdint>

namespace vx::ui {

namespace {

constexpr FontSpec kFonts[kFontCount] = {
    {L"Segoe UI", 11, 400},        // Body
    {L"Segoe UI", 11, 700},        // Bold
    {L"Segoe UI", 13, 600},        // Heading
    {L"Segoe UI", 20, 700},        // Title
    {L"Segoe UI", 9, 400},         // Small
    {L"Segoe UI", 8, 700},         // Tiny
    {L"Segoe UI Symbol", 15, 400}, // Symbol
};

}  // namespace

const FontSpec& fontSpec(FontId font) { return kFonts[static_cast<int>(font)]; }

int scale(int dip, int dpi) {
  const std::int64_t product = static_cast<std::int64_t>(dip) * dpi;
  const std::int64_t half = 48;
  return static_cast<int>(product >= 0 ? (product + half) / 96 : -((-product + half) / 96));
}

}  // namespace vx::ui
