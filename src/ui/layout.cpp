#include "ui/layout.h"

#include <algorithm>

#include "ui/theme.h"

namespace vx::ui {

namespace {

constexpr int kChipWidth = 170, kChipHeight = 72, kChipGap = 10;
constexpr int kRowTop = 42, kRowGap = 4, kRowStep = 44, kRowStepMin = 28, kInner = 16;
constexpr int kQuickHeight = 36, kQuickGap = 8, kQuickBottom = 20;
constexpr int kCardSide = 20, kToggleW = 46, kToggleH = 24, kButtonW = 110, kButtonH = 34, kCardGap = 20;
constexpr int kCardSpacing = 10;      // between one card and the next
constexpr int kSideEffectIndent = 16;  // the side-effect text starts right of its dot

Rect centredRow(int left, int right, int top, int rowHeight, int height) {
  const int y = top + (rowHeight - height) / 2;
  return {left, y, right, y + height};
}

}  // namespace

FrameLayout frameLayout(int w, int h, int dpi) {
  const int m = scale(kMarginDip, dpi);
  FrameLayout f;
  f.header = {m, m, w - m, scale(kHeaderHeightDip, dpi) + m};
  f.sidebar = {m, f.header.bottom + m, scale(kSidebarWidthDip, dpi) + m, h - m};
  f.content = {f.sidebar.right + m, f.header.bottom + m, w - m, h - m};
  return f;
}

Rect mainWindowRect(const Rect& proposed, const Rect& work, int dpi) {
  const int w = std::min(scale(kMainWindowDip.width, dpi), work.width());
  const int h = std::min(scale(kMainWindowDip.height, dpi), work.height());
  const int left = std::max(work.left, std::min(proposed.left, work.right - w));
  const int top = std::max(work.top, std::min(proposed.top, work.bottom - h));
  return {left, top, left + w, top + h};
}

Size minimumWindowSize(Size frame, const Rect& work, int dpi) {
  return {std::min(scale(kMinimumClientDip.width, dpi) + frame.width, work.width()),
          std::min(scale(kMinimumClientDip.height, dpi) + frame.height, work.height())};
}

int headerChipCount(const Rect& header, int dpi) {
  const int room = header.right - (header.left + scale(24, dpi) + scale(360, dpi)) - scale(24, dpi) + scale(kChipGap, dpi);
  return std::min(3, std::max(0, room / (scale(kChipWidth, dpi) + scale(kChipGap, dpi))));
}

std::vector<Rect> headerChipRects(const Rect& header, int dpi) {
  const int n = headerChipCount(header, dpi);
  std::vector<Rect> chips;
  if (n == 0) return chips;
  const int w = scale(kChipWidth, dpi), gap = scale(kChipGap, dpi), h = scale(kChipHeight, dpi);
  int left = header.right - scale(20, dpi) - n * w - (n - 1) * gap;
  const int top = header.top + (header.height() - h) / 2;
  for (int i = 0; i < n; ++i, left += w + gap) chips.push_back({left, top, left + w, top + h});
  return chips;
}

Rect sidebarRowArea(const Rect& sidebar, int dpi) {
  return {sidebar.left, sidebar.top + scale(kRowTop, dpi), sidebar.right,
          quickActionRects(sidebar, dpi)[2].top - scale(kQuickGap, dpi)};
}

Rect sidebarRow(const Rect& sidebar, int index, int count, int dpi) {
  // A short window (a high DPI on a small screen) packs the rows closer rather than running them
  // under the quick actions.
  const Rect area = sidebarRowArea(sidebar, dpi);
  int step = scale(kRowStep, dpi);
  if (count > 0 && step * count > area.height()) step = std::max(scale(kRowStepMin, dpi), area.height() / count);
  const int top = area.top + index * step;
  return {sidebar.left + scale(kInner, dpi), top, sidebar.right - scale(kInner, dpi), top + step - scale(kRowGap, dpi)};
}

std::array<Rect, 3> quickActionRects(const Rect& sidebar, int dpi) {
  std::array<Rect, 3> rects;
  int bottom = sidebar.bottom - scale(kQuickBottom, dpi);
  for (auto& r : rects) {
    r = {sidebar.left + scale(kInner, dpi), bottom - scale(kQuickHeight, dpi), sidebar.right - scale(kInner, dpi), bottom};
    bottom = r.top - scale(kQuickGap, dpi);
  }
  return rects;
}

CategoryPageLayout categoryPageLayout(const Rect& c, bool someSelected, int dpi) {
  CategoryPageLayout p;
  const int titleH = scale(48, dpi), buttonH = scale(36, dpi), gap = scale(8, dpi);
  p.titleRow = {c.left, c.top, c.right, c.top + titleH};
  const int primaryW = scale(someSelected ? 220 : 140, dpi);
  const int secondaryW = scale(someSelected ? 120 : 140, dpi);
  p.batchPrimary = centredRow(c.right - primaryW, c.right, c.top, titleH, buttonH);
  p.batchSecondary = centredRow(p.batchPrimary.left - gap - secondaryW, p.batchPrimary.left - gap, c.top, titleH, buttonH);
  const int rowTop = p.titleRow.bottom + scale(6, dpi), rowBottom = rowTop + scale(34, dpi);
  p.profileLabel = {c.left, rowTop, c.left + scale(110, dpi), rowBottom};
  int left = c.left + scale(110, dpi);
  for (auto& b : p.profileButtons) {
    b = {left, rowTop, left + scale(160, dpi), rowBottom};
    left = b.right + gap;
  }
  p.list = {c.left, c.top + scale(96, dpi), c.right, c.bottom - scale(28, dpi)};
  p.status = {c.left, c.bottom - scale(20, dpi), c.right, c.bottom};
  return p;
}

int cardTextWidth(int listWidth, int dpi) {
  // The column between the state dot and the toggle (see cardLayout).
  const CardLayout parts = cardLayout({0, 0, listWidth, 0}, 0, scale(70, dpi), dpi);
  return std::max(0, parts.text.width());
}

int cardSideEffectsWidth(int listWidth, int dpi) {
  return cardTextWidth(listWidth, dpi) - scale(kSideEffectIndent, dpi);
}

int cardHeight(int descriptionHeight, int sideEffectsHeight, int dpi) {
  const int s = sideEffectsHeight == 0 ? 0 : sideEffectsHeight + scale(8, dpi);
  const int h = (s + scale(4, dpi)) + 2 * scale(14, dpi) + descriptionHeight + scale(22, dpi);
  return std::max(h, scale(70, dpi));
}

CardLayout cardLayout(const Rect& list, int y, int height, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  CardLayout c;
  c.card = {list.left, y, list.right, y + height};
  c.advance = height + s(kCardSpacing);
  const int boxLeft = list.left + scale(14, dpi), box = scale(18, dpi);
  c.checkbox = centredRow(boxLeft, boxLeft + box, y, height, box);
  const Rect& b = c.checkbox;
  c.tick = {Point{b.left + s(4), b.top + s(9)}, Point{b.left + s(8), b.bottom - s(5)}, Point{b.right - s(4), b.top + s(4)}};
  const int dotLeft = c.checkbox.right + scale(10, dpi), dotTop = y + scale(18, dpi);
  c.dot = {dotLeft, dotTop, dotLeft + scale(10, dpi), dotTop + scale(10, dpi)};
  const int buttonRight = list.right - scale(kCardSide, dpi);
  c.button = centredRow(buttonRight - scale(kButtonW, dpi), buttonRight, y, height, scale(kButtonH, dpi));
  const int toggleRight = c.button.left - scale(kCardGap, dpi);
  c.toggle = centredRow(toggleRight - scale(kToggleW, dpi), toggleRight, y, height, scale(kToggleH, dpi));
  c.toggleRadius = c.toggle.height() / 2;
  // The knob keeps 3 pixels to the track's edges at every DPI.
  const int knob = c.toggle.height() - 6;
  c.knob = {c.toggle.left + 3, c.toggle.top + 3, c.toggle.left + 3 + knob, c.toggle.top + 3 + knob};
  c.knobRadius = knob;
  c.text = {c.dot.right + scale(10, dpi), y, c.toggle.left - scale(16, dpi), y + height};
  c.title = {c.text.left, y + scale(14, dpi), c.text.right, y + scale(36, dpi)};
  c.description = {c.text.left, c.title.bottom + s(4), c.text.right, c.card.bottom - s(10)};
  return c;
}

CardLayout cardLayout(const Rect& list, int y, const CardContent& content, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  CardLayout c = cardLayout(list, y, cardHeight(content.descriptionHeight, content.sideEffectsHeight, dpi), dpi);
  if (content.toggleOn) {
    const int knob = c.knob.width();
    c.knob.left = c.toggle.right - 3 - knob;
    c.knob.right = c.knob.left + knob;
  }
  if (content.badgeText) {
    // The question mark is a circle as high as the badge, at the right end of the title line; the
    // badge 6 to its left, the title up to 8 before the badge.
    const int h = content.badgeText->height + 2 * s(4), w = content.badgeText->width + 2 * s(10);
    c.helpMark = {c.text.right - h, y + s(14), c.text.right, y + s(14) + h};
    c.helpMarkRadius = h / 2;
    c.badge = {c.helpMark.left - s(6) - w, c.helpMark.top, c.helpMark.left - s(6), c.helpMark.bottom};
    c.title.right = c.badge.left - s(8);
  }
  if (content.categoryLabelText) {
    c.categoryLabel = {c.title.right - content.categoryLabelText->width, c.title.top, c.title.right, c.title.bottom};
    c.title.right = c.categoryLabel.left - s(8);
  }
  if (content.sideEffectsHeight > 0) {
    const int top = c.title.bottom + s(4) + content.descriptionHeight + s(4);
    c.sideEffectDot = {c.text.left, top + s(4), c.text.left + s(8), top + s(12)};
    c.sideEffectText = {c.text.left + s(kSideEffectIndent), top, c.text.right, c.card.bottom - s(8)};
  }
  return c;
}

Rect tooltipRect(Point cursor, int textHeight, const Rect& client, int dpi) {
  const int w = scale(kTooltipWidthDip, dpi), h = textHeight + scale(20, dpi), margin = scale(8, dpi);
  int left = cursor.x + scale(16, dpi), top = cursor.y + scale(16, dpi);
  left = std::min(left, client.right - margin - w);
  top = std::min(top, client.bottom - margin - h);
  left = std::max(left, client.left + margin);
  top = std::max(top, client.top + margin);
  return {left, top, left + w, top + h};
}

}  // namespace vx::ui
