#include "ui/draw_helpers.h"
#include "ui/hit_regions.h"
#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

// From the bottom up.
constexpr ButtonSpec kQuickActions[3] = {
    {L"Очистить корзину", kColorControl, HitKind::CleanupRecycleBin},
    {L"Сбросить DNS", kColorControl, HitKind::CleanupDns},
    {L"Очистить временные", kColorAccent, HitKind::CleanupTemp},
};

}  // namespace

void paintSidebar(Canvas& canvas, UiState& state, const Rect& r) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  canvas.fillRoundedBordered(r, kColorPanel, kColorPanelBorder, s(12));
  canvas.drawText(L"КАТЕГОРИИ", {r.left + s(16), r.top + s(18), r.right - s(16), r.top + s(36)}, kColorTextDim,
                  TextFormat::Left, FontId::Tiny);

  const int count = static_cast<int>(state.sidebar.size());
  const Rect rowArea = sidebarRowArea(r, dpi);
  canvas.clipTo(rowArea);  // rows packed as close as they go still stop above the quick actions
  for (int i = 0; i < count; ++i) {
    const SidebarEntry& entry = state.sidebar[i];
    const Rect row = sidebarRow(r, i, count, dpi);
    const bool selected = i == state.currentPage;
    if (selected) {
      canvas.fillRounded(row, kColorSelected, s(8));
      canvas.fillRounded({row.left + s(2), row.top + s(8), row.left + s(5), row.bottom - s(8)}, kColorAccent, s(2));
    }
    const Color iconColor = entry.kind == PageKind::Assistant ? kColorWarning : selected ? kColorAccent : kColorTextDim;
    canvas.drawText(entry.icon, {row.left + s(12), row.top, row.left + s(38), row.bottom}, iconColor, TextFormat::Left,
                    FontId::Symbol);
    canvas.drawText(entry.label, {row.left + s(46), row.top, row.right - s(8), row.bottom},
                    selected ? kColorText : kColorTextDim, TextFormat::LeftEllipsis,
                    selected ? FontId::Bold : FontId::Body);
    if (entry.kind == PageKind::Assistant && !state.recommendations.empty()) {
      const int pillTop = row.top + (row.height() - s(20)) / 2;
      const Rect pill{row.right - s(38), pillTop, row.right - s(10), pillTop + s(20)};
      canvas.fillRounded(pill, kColorAccent, s(10));
      canvas.drawText(std::to_wstring(state.recommendations.size()), pill, kColorWhite, TextFormat::Center, FontId::Bold);
    }
    addClippedRegion(state.hitRegions, row, rowArea, HitKind::SidebarItem, i);
  }
  canvas.clearClip();

  const auto rects = quickActionRects(r, dpi);
  for (int i = 0; i < 3; ++i)
    drawButton(canvas, state.hitRegions, rects[i], kQuickActions[i].label, kQuickActions[i].color,
               kQuickActions[i].kind, dpi);
}

}  // namespace vx::ui
