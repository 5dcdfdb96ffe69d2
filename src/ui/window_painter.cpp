#include "ui/layout.h"
#include "ui/journal_page.h"
#include "ui/painters.h"
#include "ui/title_tooltip.h"

namespace vx::ui {

void paintWindow(Canvas& canvas, UiState& state, int clientWidth, int clientHeight) {
  state.hitRegions.clear();
  state.inputBoxRect = {};
  state.clientWidth = clientWidth;
  state.clientHeight = clientHeight;
  const Rect client{0, 0, clientWidth, clientHeight};
  canvas.gradientV(client, kColorGradientTop, kColorGradientBottom);
  const FrameLayout frame = frameLayout(clientWidth, clientHeight, state.dpi);
  paintHeader(canvas, state, frame.header);
  paintSidebar(canvas, state, frame.sidebar);
  paintPage(canvas, state, frame.content);
  paintTooltip(canvas, state, client);
  paintTitleTooltip(canvas, state, client);
}

void paintStatusLine(Canvas& canvas, const UiState& state, const Rect& rect) {
  canvas.drawText(state.statusText, rect, state.statusColor, TextFormat::LeftEllipsis, FontId::Small);
}

void paintPage(Canvas& canvas, UiState& state, const Rect& content) {
  const SidebarEntry* entry = state.currentEntry();
  if (!entry) return;
  if (state.searching()) {
    paintSearchPage(canvas, state, content);
    return;
  }
  if (state.journal.open) {  // opened from Home, shown in place of the sidebar's page
    paintJournalPage(canvas, state, content);
    return;
  }
  switch (entry->kind) {
    case PageKind::Category: paintCategoryPage(canvas, state, *entry, content); break;
    case PageKind::Home: paintHome(canvas, state, content); break;
    case PageKind::Assistant: paintAssistantPage(canvas, state, content); break;
  }
}

}  // namespace vx::ui
