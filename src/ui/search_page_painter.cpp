#include "ui/layout.h"
#include "ui/painters.h"
#include "ui/tweak_search.h"

namespace vx::ui {

void paintSearchPage(Canvas& canvas, UiState& state, const Rect& c) {
  // The category page's rows: the title, then the list and the status line (no batch buttons).
  const CategoryPageLayout page = categoryPageLayout(c, false, state.dpi);
  canvas.drawText(searchTitle(state.searchText), page.titleRow, kColorText, TextFormat::LeftEllipsisNoPrefix,
                  FontId::Title);

  canvas.clipTo(page.list);
  int y = page.list.top - state.scrollOffset;
  int index = 0;
  for (const TweakPtr& tweak : state.searchResults)
    y += paintCard(canvas, state, page.list, *tweak, y, index++, categoryLabel(tweak->category));
  if (state.searchResults.empty())
    canvas.drawText(L"Ничего не найдено", {page.list.left, page.list.top, page.list.right, page.list.top + scale(30, state.dpi)},
                    kColorTextDim, TextFormat::Left, FontId::Body);
  state.contentHeight = y - (page.list.top - state.scrollOffset);
  state.listHeight = page.list.height();
  canvas.clearClip();

  paintStatusLine(canvas, state, page.status);
}

}  // namespace vx::ui
