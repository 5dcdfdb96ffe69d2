#include "ui/title_tooltip.h"

#include <algorithm>

#include "core/change_preview.h"
#include "ui/input_handlers.h"
#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

// The read posted to the refresher's thread: the description first, so the tooltip can show it
// as soon as it is due, then the values now.
std::function<void()> previewRead(TweakPtr tweak, std::uint64_t ticket, std::shared_ptr<PreviewMailbox> mailbox,
                                  std::function<void()> notify) {
  return [tweak = std::move(tweak), ticket, mailbox = std::move(mailbox), notify = std::move(notify)] {
    ChangePreview preview;
    preview.ticket = ticket;
    try {
      preview.changes = tweak->changes();
    } catch (...) {
      preview.changes.clear();  // a tweak that cannot describe itself shows no tooltip
    }
    mailbox->put(preview);
    if (notify) notify();
    if (preview.changes.empty()) return;
    preview.now = readCurrentValues(preview.changes);
    mailbox->put(std::move(preview));
    if (notify) notify();
  };
}

Rect titleLineOf(const UiState& state, const HitRegion& title) {
  Rect line = title.rect;
  for (const HitRegion& r : state.hitRegions)
    if (r.kind == HitKind::AggressiveBadge && r.index == title.index) {
      line.right = std::max(line.right, r.rect.right);
      line.top = std::min(line.top, r.rect.top);
      line.bottom = std::max(line.bottom, r.rect.bottom);
    }
  return line;
}

}  // namespace

void hideTitleTooltip(UiState& state, WindowHost& host) {
  TitleTooltip& t = state.titleTooltip;
  const bool wasShown = !visibleTitleTooltip(state).empty();
  t.index = -1;
  t.tweakId.clear();
  t.due = false;
  t.preview.reset();
  t.titleLine = {};
  if (wasShown) host.invalidate();
}

void trackTitleHover(UiState& state, WindowHost& host, const HitRegion* title) {
  TitleTooltip& t = state.titleTooltip;
  const int index = title ? title->index : -1;
  if (index == t.index) {
    if (title) t.titleLine = titleLineOf(state, *title);
    // The tooltip follows the pointer.
    if (!visibleTitleTooltip(state).empty()) host.invalidate();
    return;
  }
  hideTitleTooltip(state, host);
  if (index == -1) return;
  const TweakPtr tweak = cardTweak(state, index);
  if (!tweak) return;
  t.index = index;
  t.tweakId = tweak->id;
  t.titleLine = titleLineOf(state, *title);
  t.revert = cardState(state, *tweak) == TweakState::Applied;
  t.ticket += 1;
  // The read starts now, so that it has usually arrived when the half second is over.
  if (state.runOffUiThread) state.runOffUiThread(previewRead(tweak, t.ticket, t.mailbox, state.readsReady));
  if (t.startTimer) t.startTimer(kTitleTooltipDelayMs);
}

void onTitleTooltipTimer(UiState& state, WindowHost& host) {
  TitleTooltip& t = state.titleTooltip;
  if (t.index == -1 || t.due) return;
  t.due = true;
  if (!visibleTitleTooltip(state).empty()) host.invalidate();
}

void onChangePreviewReady(UiState& state, WindowHost& host) {
  TitleTooltip& t = state.titleTooltip;
  std::optional<ChangePreview> preview = t.mailbox->take();
  // A read for a title the pointer has left since is dropped.
  if (!preview || t.index == -1 || preview->ticket != t.ticket) return;
  t.preview = std::move(preview);
  if (!visibleTitleTooltip(state).empty()) host.invalidate();
}

std::wstring titleTooltipText(const ChangePreview& preview, bool revert) {
  std::wstring text = kPreviewHeading;
  // The values arrive with the second read; until then the lines show only the values after.
  const std::vector<std::wstring> lines =
      previewLines(preview.changes, revert, preview.now.size() == preview.changes.size() ? &preview.now : nullptr);
  const std::size_t count = lines.size();
  const std::size_t shown = std::min(count, kTitleTooltipMaxLines);
  for (std::size_t i = 0; i < shown; ++i) text += L"\n" + lines[i];
  if (count > shown) text += L"\n…и ещё " + std::to_wstring(count - shown);
  return text;
}

std::wstring visibleTitleTooltip(const UiState& state) {
  const TitleTooltip& t = state.titleTooltip;
  // One tooltip at a time: the badge's explanation has the place while it shows.
  if (!state.tooltipText.empty() || t.index == -1 || !t.due || !t.preview || t.preview->changes.empty()) return {};
  return titleTooltipText(*t.preview, t.revert);
}

Rect titleTooltipRect(Point cursor, int textHeight, const Rect& client, const Rect& titleLine, int dpi) {
  Rect box = tooltipRect(cursor, textHeight, client, dpi);
  if (titleLine.empty() || intersect(box, titleLine).empty()) return box;
  const int h = box.height(), gap = scale(4, dpi), margin = scale(8, dpi);
  int top = titleLine.bottom + gap;
  if (top + h > client.bottom - margin) top = titleLine.top - gap - h;  // no room below: above the title
  top = std::max(top, client.top + margin);
  return {box.left, top, box.right, top + h};
}

void paintTitleTooltip(Canvas& canvas, UiState& state, const Rect& client) {
  const std::wstring text = visibleTitleTooltip(state);
  if (text.empty()) return;
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const int textH = canvas.measureTextHeight(text, s(kTooltipWidthDip) - s(20), FontId::Body);
  const Rect box = titleTooltipRect(state.mouse, textH, client, state.titleTooltip.titleLine, dpi);
  // Drawn like the badge's tooltip, with a neutral accent instead of the warning red.
  canvas.fillRounded({box.left + s(2), box.top + s(4), box.right + s(2), box.bottom + s(4)}, kColorBlack, s(8));
  canvas.fillRounded(box, kColorControl, s(8));
  canvas.fillRounded({box.left, box.top + s(8), box.left + s(3), box.bottom - s(8)}, kColorTextDim, s(2));
  canvas.drawText(text, {box.left + s(14), box.top + s(10), box.right - s(10), box.bottom - s(10)}, kColorText,
                  TextFormat::Wrap, FontId::Body);
}

}  // namespace vx::ui
