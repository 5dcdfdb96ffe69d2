#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

void paintTooltip(Canvas& canvas, UiState& state, const Rect& client) {
  if (state.tooltipText.empty()) return;
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const int textH = canvas.measureTextHeight(state.tooltipText, s(kTooltipWidthDip) - s(20), FontId::Body);
  const Rect box = tooltipRect(state.mouse, textH, client, dpi);
  canvas.fillRounded({box.left + s(2), box.top + s(4), box.right + s(2), box.bottom + s(4)}, kColorBlack, s(8));
  canvas.fillRounded(box, kColorControl, s(8));
  canvas.fillRounded({box.left, box.top + s(8), box.left + s(3), box.bottom - s(8)}, kColorFailure, s(2));
  canvas.drawText(state.tooltipText, {box.left + s(14), box.top + s(10), box.right - s(10), box.bottom - s(10)}, kColorText,
                  TextFormat::Wrap, FontId::Body);
}

}  // namespace vx::ui
