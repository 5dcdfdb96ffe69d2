#include "ui/journal_page.h"
#include "ui/theme.h"

namespace vx::ui {

JournalPageLayout journalPageLayout(const Rect& c, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  JournalPageLayout p;
  p.titleRow = {c.left, c.top, c.right, c.top + s(48)};
  const int top = p.titleRow.top + (p.titleRow.height() - s(36)) / 2;
  int right = c.right;
  for (Rect& button : p.titleButtons) {
    button = {right - s(170), top, right, top + s(36)};
    right = button.left - s(8);
  }
  p.list = {c.left, p.titleRow.bottom + s(8), c.right, c.bottom - s(28)};
  p.status = {c.left, c.bottom - s(20), c.right, c.bottom};
  return p;
}

JournalRunLayout journalRunLayout(const Rect& list, int y, int lineCount, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  JournalRunLayout r;
  int height = s(12) + s(24) + lineCount * s(20) + s(12);
  if (height < s(56)) height = s(56);
  r.card = {list.left, y, list.right, y + height};
  r.button = {r.card.right - s(16) - s(170), r.card.top + s(12), r.card.right - s(16), r.card.top + s(12) + s(32)};
  r.heading = {r.card.left + s(16), r.card.top + s(12), r.button.left - s(16), r.card.top + s(12) + s(24)};
  int lineTop = r.heading.bottom;
  for (int i = 0; i < lineCount; ++i) {
    r.lines.push_back({r.heading.left + s(12), lineTop, r.button.left - s(16), lineTop + s(20)});
    lineTop += s(20);
  }
  return r;
}

}  // namespace vx::ui
