#include "ui/draw_helpers.h"

#include "ui/hit_regions.h"

namespace vx::ui {

void drawButton(Canvas& canvas, std::vector<HitRegion>& regions, const Rect& rect, const std::wstring& label,
                Color color, HitKind kind, int dpi) {
  canvas.fillRounded(rect, color, scale(8, dpi));
  canvas.drawText(label, rect, kColorWhite, TextFormat::Center, FontId::Bold);
  addRegion(regions, rect, kind);
}

std::wstring formatGrouped(std::uint64_t n) {
  const std::wstring digits = std::to_wstring(n);
  std::wstring out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += L' ';
    out += digits[i];
  }
  return out;
}

}  // namespace vx::ui
