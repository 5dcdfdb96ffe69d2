#include "ui/gdi/gdi_fonts.h"

namespace vx::ui::gdi {

void GdiFonts::create(int dpi) {
  destroy();
  for (int i = 0; i < kFontCount; ++i) {
    const FontSpec& font = fontSpec(static_cast<FontId>(i));
    fonts_[i].reset(CreateFontW(-MulDiv(font.sizeDip, dpi, 96), 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                VARIABLE_PITCH, font.face));
  }
}

void GdiFonts::destroy() {
  for (auto& font : fonts_) font.reset();
}

}  // namespace vx::ui::gdi
