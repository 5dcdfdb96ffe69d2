#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

void paintWindow(Canvas& canvas, UiState& state, int clientWidth, int clientHeight) {
  state.hitRegions.clear();
  state.clientWidth = clientWidth;
  state.clientHeight = clientHeight;
  const Rect client{0, 0, clientWidth, clientHeight};
  canvas.gradientV(client, kColorGradientTop, kColorGradientBottom);
  const FrameLayout frame = frameLayout(clientWidth, clientHeight, state.dpi);
  paintHeader(canvas, state, frame.header);
  paintSidebar(canvas, state, frame.sidebar);
  paintPage(canvas, state, frame.content);
  paintTooltip(canvas, state, client);
}

void paintStatusLine(Canvas& canvas, const UiState& state, const Rect& rect) {
  canvas.drawText(state.statusText, rect, state.statusColor, TextFormat::LeftEllipsis, FontId::Small);
}

void paintPage(Canvas& canvas, UiState& state, const Rect& content) {
  const SidebarEntry* entry = state.currentEntry();
  if (!entry) return;
  if (entry->kind == PageKind::Category) {
    paintCategoryPage(canvas, state, *entry, content);
    return;
  }
  // Home and Assistant: the title row and the status line around an empty body for now.
  const int dpi = state.dpi;
  canvas.drawText(entry->icon + L"  " + entry->label, {content.left, content.top, content.right, content.top + scale(48, dpi)},
                  kColorText, TextFormat::Left, FontId::Title);
  state.contentHeight = 0;
  state.listHeight = 0;
  paintStatusLine(canvas, state, {content.left, content.bottom - scale(20, dpi), content.right, content.bottom});
}

}  // namespace vx::ui
