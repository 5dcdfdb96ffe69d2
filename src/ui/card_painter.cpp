#include "core/guarded_calls.h"
#include "ui/hit_regions.h"
#include "ui/layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

constexpr const wchar_t* kSideEffectsPrefix = L"При применении не будет работать: ";
constexpr const wchar_t* kBadgeText = L"АГРЕССИВНО";

Color dotColor(TweakState s) {
  switch (s) {
    case TweakState::Applied: return kColorSuccess;
    case TweakState::NotApplied: return kColorFailure;
    case TweakState::Unavailable: return kColorUnavailableDot;
    case TweakState::Undetermined: break;
  }
  return kColorTextDim;
}

}  // namespace

TweakState cardState(const UiState& state, Tweak& tweak) {
  if (state.queryStatesWhilePainting) return state.states->cachedState(tweak, kStateMaxAgeMs);
  return state.states->lastKnown(tweak.id).value_or(TweakState::Undetermined);
}

int paintCard(Canvas& canvas, UiState& state, const Rect& list, Tweak& tweak, int y, int index,
              const wchar_t* categoryLabel) {
  const int dpi = state.dpi;
  auto s = [dpi](int v) { return scale(v, dpi); };
  const std::wstring sideEffects = guarded::sideEffects(tweak);
  CardTextHeights& measured = state.cardHeights[tweak.id];
  if (measured.listWidth != list.width() || measured.dpi != dpi) {
    const int textWidth = cardTextWidth(list.width(), dpi);
    measured = {list.width(), dpi, canvas.measureTextHeight(tweak.description, textWidth, FontId::Body),
                sideEffects.empty() ? 0 : canvas.measureTextHeight(kSideEffectsPrefix + sideEffects, textWidth - s(16), FontId::Body)};
  }
  const int descriptionH = measured.description;
  const int height = cardHeight(descriptionH, measured.sideEffects, dpi);
  const CardLayout card = cardLayout(list, y, height, dpi);
  // Nothing of a card outside the list is drawn or registered.
  if (intersect(card.card, list).empty()) return height + s(10);

  canvas.fillRoundedBordered(card.card, index == state.hoverIndex ? kColorControl : kColorPanel, kColorPanelBorder, s(10));
  const TweakState st = cardState(state, tweak);
  const bool selected = state.selectedIds.count(tweak.id) > 0;

  const Rect& box = card.checkbox;
  if (selected) {
    canvas.fillRoundedBordered(box, kColorAccent, kColorAccent, s(4));
    canvas.polyline({{box.left + s(4), box.top + s(9)}, {box.left + s(8), box.bottom - s(5)}, {box.right - s(4), box.top + s(4)}},
                    kColorWhite, 2);
  } else {
    canvas.fillRoundedBordered(box, kColorPanel, kColorPanelBorder, s(4));
  }
  canvas.fillRounded(card.dot, dotColor(st), s(5));

  Rect title = card.title;
  if (guarded::isAggressive(tweak)) {
    const Size text = canvas.measureText(kBadgeText, FontId::Tiny);
    const int h = text.height + 2 * s(4), w = text.width + 2 * s(10);
    const Rect circle{card.text.right - h, y + s(14), card.text.right, y + s(14) + h};
    const Rect badge{circle.left - s(6) - w, circle.top, circle.left - s(6), circle.bottom};
    canvas.fillRounded(circle, kColorControl, h / 2);
    canvas.drawText(L"?", circle, kColorText, TextFormat::Center, FontId::Bold);
    canvas.fillRounded(badge, kColorFailure, s(8));
    canvas.drawText(kBadgeText, badge, kColorWhite, TextFormat::Center, FontId::Tiny);
    title.right = badge.left - s(8);
    addClippedRegion(state.hitRegions, circle, list, HitKind::AggressiveBadge, index);
  }
  if (categoryLabel && *categoryLabel) {
    const int width = canvas.measureText(categoryLabel, FontId::Tiny).width;
    const Rect label{title.right - width, title.top, title.right, title.bottom};
    canvas.drawText(categoryLabel, label, kColorInfo, TextFormat::Left, FontId::Tiny);
    title.right = label.left - s(8);
  }
  canvas.drawText(tweak.title, title, kColorText, TextFormat::LeftEllipsis, FontId::Heading);
  canvas.drawText(tweak.description, {card.text.left, card.title.bottom + s(4), card.text.right, card.card.bottom - s(10)},
                  kColorTextDim, TextFormat::Wrap, FontId::Body);
  if (!sideEffects.empty()) {
    const int top = card.title.bottom + s(4) + descriptionH + s(4);
    canvas.fillRounded({card.text.left, top + s(4), card.text.left + s(8), top + s(12)}, kColorWarning, s(4));
    canvas.drawText(kSideEffectsPrefix + sideEffects, {card.text.left + s(16), top, card.text.right, card.card.bottom - s(8)},
                    kColorWarning, TextFormat::Wrap, FontId::Body);
  }

  const Rect& track = card.toggle;
  const Color trackColor = st == TweakState::Unavailable ? kColorDisabled
                           : st == TweakState::Applied   ? kColorAccent
                                                         : kColorSelected;
  canvas.fillRounded(track, trackColor, track.height() / 2);
  const int knob = track.height() - 6;
  const int knobLeft = st == TweakState::Applied ? track.right - 3 - knob : track.left + 3;
  canvas.fillRounded({knobLeft, track.top + 3, knobLeft + knob, track.top + 3 + knob}, kColorWhite, knob);

  const bool applied = st == TweakState::Applied;
  canvas.fillRounded(card.button, applied ? kColorControl : kColorAccent, s(8));
  canvas.drawText(applied ? L"Откатить" : L"Применить", card.button, kColorWhite, TextFormat::Center, FontId::Bold);

  addClippedRegion(state.hitRegions, box, list, HitKind::CardCheckbox, index);
  addClippedRegion(state.hitRegions, track, list, HitKind::CardToggle, index);
  addClippedRegion(state.hitRegions, card.button, list, HitKind::CardButton, index);
  return height + s(10);
}

}  // namespace vx::ui
