#include <algorithm>

#include "ui/draw_helpers.h"
#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

constexpr ButtonSpec kProfileButtons[3] = {
    {L"Базовая", kColorControl, HitKind::ProfileBasic},
    {L"Оптимальная", kColorAccent, HitKind::ProfileOptimal},
    {L"Максимум", kColorControl, HitKind::ProfileMaximum},
};

int selectedInCategory(const UiState& state, TweakCategory category) {
  return static_cast<int>(std::count_if(state.catalogue.begin(), state.catalogue.end(), [&](const TweakPtr& t) {
    return t && t->category == category && state.selectedIds.count(t->id) > 0;
  }));
}

}  // namespace

void paintCategoryPage(Canvas& canvas, UiState& state, const SidebarEntry& entry, const Rect& c) {
  const int dpi = state.dpi;
  const int selected = selectedInCategory(state, entry.category);
  const CategoryPageLayout page = categoryPageLayout(c, selected > 0, dpi);

  canvas.drawText(entry.icon + L"  " + entry.label, page.titleRow, kColorText, TextFormat::Left, FontId::Title);
  if (selected == 0) {
    drawButton(canvas, state.hitRegions, page.batchPrimary, L"Применить все", kColorAccent, HitKind::ApplyAll, dpi);
    drawButton(canvas, state.hitRegions, page.batchSecondary, L"Откатить все", kColorControl, HitKind::RevertAll, dpi);
  } else {
    drawButton(canvas, state.hitRegions, page.batchPrimary, L"Применить выбранные (" + std::to_wstring(selected) + L")",
               kColorAccent, HitKind::ApplySelected, dpi);
    drawButton(canvas, state.hitRegions, page.batchSecondary, L"Снять выбор", kColorControl, HitKind::ClearSelection, dpi);
  }
  canvas.drawText(L"Профили:", page.profileLabel, kColorTextDim, TextFormat::Left, FontId::Bold);
  for (int i = 0; i < 3; ++i)
    drawButton(canvas, state.hitRegions, page.profileButtons[i], kProfileButtons[i].label, kProfileButtons[i].color,
               kProfileButtons[i].kind, dpi);

  canvas.clipTo(page.list);
  int y = page.list.top - state.scrollOffset;
  int index = 0;
  for (const TweakPtr& tweak : state.catalogue) {
    if (!tweak || tweak->category != entry.category) continue;
    y += paintCard(canvas, state, page.list, *tweak, y, index++);
  }
  state.contentHeight = y - (page.list.top - state.scrollOffset);
  state.listHeight = page.list.height();
  canvas.clearClip();

  paintStatusLine(canvas, state, page.status);
}

}  // namespace vx::ui
