// The window's visual language: the palette, the seven fonts as descriptions (the GDI canvas turns
// them into fonts for a DPI) and the DIP scaling every length goes through. Used by all painters.
#pragma once
#include <cstdint>

namespace vx::ui {

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kColorText{245, 245, 252};
inline constexpr Color kColorTextDim{155, 155, 175};
inline constexpr Color kColorAccent{140, 110, 255};
inline constexpr Color kColorPanel{26, 26, 36};
inline constexpr Color kColorPanelBorder{48, 48, 64};
inline constexpr Color kColorControl{38, 38, 52};
inline constexpr Color kColorSelected{56, 50, 90};
inline constexpr Color kColorSuccess{72, 200, 130};
inline constexpr Color kColorFailure{232, 84, 84};
inline constexpr Color kColorWarning{255, 170, 80};
inline constexpr Color kColorInfo{80, 160, 255};
inline constexpr Color kColorWhite{255, 255, 255};
inline constexpr Color kColorBlack{0, 0, 0};
inline constexpr Color kColorDisabled{60, 60, 70};
inline constexpr Color kColorUnavailableDot{80, 80, 90};
inline constexpr Color kColorWindow{13, 13, 18};
inline constexpr Color kColorGradientTop{20, 18, 32};
inline constexpr Color kColorGradientBottom{13, 13, 18};

enum class FontId : int { Body = 0, Bold, Heading, Title, Small, Tiny, Symbol };
inline constexpr int kFontCount = 7;

struct FontSpec {
  const wchar_t* face;
  int sizeDip;  // character height
  int weight;
};

const FontSpec& fontSpec(FontId font);

// MulDiv(value, dpi, 96): rounded half away from zero, as Windows rounds.
int scale(int dip, int dpi);

// Frame metrics in DIPs.
inline constexpr int kMarginDip = 14;
inline constexpr int kSidebarWidthDip = 220;
inline constexpr int kHeaderHeightDip = 120;
inline constexpr int kStateMaxAgeMs = 2000;

}  // namespace vx::ui
