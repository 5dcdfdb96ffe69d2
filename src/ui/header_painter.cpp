#include "ui/draw_helpers.h"
#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

struct Chip {
  std::wstring label;
  Color labelColor;
  std::wstring value;
};

std::wstring orDash(const std::wstring& text) { return text.empty() ? L"—" : text; }

}  // namespace

void paintHeader(Canvas& canvas, UiState& state, const Rect& r) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  canvas.fillRoundedBordered(r, kColorPanel, kColorPanelBorder, s(12));
  canvas.drawText(L"Vantorix", {r.left + s(24), r.top + s(16), r.right, r.top + s(46)}, kColorText, TextFormat::Left,
                  FontId::Title);
  canvas.drawText(L"Оптимизация Windows и AI-ассистент", {r.left + s(24), r.top + s(48), r.right, r.top + s(68)},
                  kColorTextDim, TextFormat::Left, FontId::Body);
  // The search box sits under the subtitle, inside the title area, so the chips keep their place.
  state.searchBoxRect = {r.left + s(24), r.top + s(78), r.left + s(344), r.top + s(106)};

  const HardwareProfile& hw = state.hardware;
  const std::uint64_t usedMb = hw.totalRamMb >= hw.availableRamMb ? hw.totalRamMb - hw.availableRamMb : 0;
  const Chip chips[3] = {
      {L"ВИДЕОКАРТА", kColorInfo, orDash(hw.gpuName)},
      {L"ПРОЦЕССОР", kColorAccent, orDash(hw.cpuName)},
      {L"ОЗУ (" + std::to_wstring(hw.memoryLoadPercent) + L"%)", kColorSuccess,
       formatGrouped(usedMb) + L" / " + formatGrouped(hw.totalRamMb) + L" МБ"},
  };
  const std::vector<Rect> rects = headerChipRects(r, dpi);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& c = rects[i];
    canvas.fillRoundedBordered(c, kColorControl, kColorPanelBorder, s(8));
    canvas.drawText(chips[i].label, {c.left + s(12), c.top + s(10), c.right, c.top + s(24)}, chips[i].labelColor,
                    TextFormat::Left, FontId::Tiny);
    canvas.drawText(chips[i].value, {c.left + s(12), c.top + s(26), c.right - s(12), c.bottom - s(8)}, kColorText,
                    TextFormat::LeftEllipsisNoPrefix, FontId::Bold);
  }
}

}  // namespace vx::ui
