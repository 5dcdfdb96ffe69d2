// The journal page: its title row with "Сохранить набор" and "Загрузить набор" at the right end, the runs
// newest first as cards with their tweaks and a "Вернуть как было" button, the status line.
#include "core/journal_history.h"
#include "ui/draw_helpers.h"
#include "ui/hit_regions.h"
#include "ui/journal_page.h"
#include "ui/painters.h"
#include "ui/tweak_set_jobs.h"

namespace vx::ui {

void paintJournalPage(Canvas& canvas, UiState& state, const Rect& c) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const JournalPageLayout page = journalPageLayout(c, dpi);
  canvas.drawText(std::wstring(L"\U0001F4DC  ") + kJournalTitle, page.titleRow, kColorText, TextFormat::Left, FontId::Title);
  drawButton(canvas, state.hitRegions, page.titleButtons[0], kLoadSetLabel, kColorControl, HitKind::LoadTweakSet, dpi);
  drawButton(canvas, state.hitRegions, page.titleButtons[1], kSaveSetLabel, kColorControl, HitKind::SaveTweakSet, dpi);

  state.listHeight = page.list.height();
  const std::vector<JournalRunView> runs = journalRuns(state.journal.lines);
  if (runs.empty()) {
    state.contentHeight = 0;
    canvas.drawText(state.journal.loaded ? kJournalEmptyText : kJournalReadingText,
                    {page.list.left, page.list.top, page.list.right, page.list.top + s(28)}, kColorTextDim, TextFormat::Left,
                    FontId::Body);
    paintStatusLine(canvas, state, page.status);
    return;
  }

  canvas.clipTo(page.list);
  int y = page.list.top - state.scrollOffset;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const JournalRunView& run = runs[i];
    const JournalRunLayout r = journalRunLayout(page.list, y, static_cast<int>(run.lines.size()), dpi);
    y = r.card.bottom + s(kJournalRunGapDip);
    if (intersect(r.card, page.list).empty()) continue;
    canvas.fillRoundedBordered(r.card, kColorPanel, kColorPanelBorder, s(10));
    canvas.drawText(runHeadingText(run), r.heading, kColorText, TextFormat::LeftEllipsisNoPrefix, FontId::Heading);
    for (std::size_t j = 0; j < run.lines.size(); ++j)
      canvas.drawText(runLineText(run.lines[j], state.catalogue), r.lines[j], kColorTextDim, TextFormat::LeftEllipsisNoPrefix,
                      FontId::Body);
    canvas.fillRounded(r.button, kColorControl, s(8));
    canvas.drawText(kRestoreRunText, r.button, kColorWhite, TextFormat::Center, FontId::Bold);
    addClippedRegion(state.hitRegions, r.button, page.list, HitKind::JournalRestore, static_cast<int>(i));
  }
  canvas.clearClip();
  state.contentHeight = y + state.scrollOffset - page.list.top;
  paintStatusLine(canvas, state, page.status);
}

}  // namespace vx::ui
