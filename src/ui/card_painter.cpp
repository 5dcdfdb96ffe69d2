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

Color trackColor(TweakState s) {
  if (s == TweakState::Unavailable) return kColorDisabled;
  return s == TweakState::Applied ? kColorAccent : kColorSelected;
}

// The wrapped heights of the card's texts for this list width and DPI, measured again only when
// one of them changed.
const CardTextHeights& measuredHeights(Canvas& canvas, UiState& state, const Tweak& tweak, int listWidth,
                                       const std::wstring& sideEffects) {
  CardTextHeights& measured = state.cardHeights[tweak.id];
  if (measured.listWidth != listWidth || measured.dpi != state.dpi) {
    measured = {listWidth, state.dpi,
                canvas.measureTextHeight(tweak.description, cardTextWidth(listWidth, state.dpi), FontId::Body),
                sideEffects.empty() ? 0
                                    : canvas.measureTextHeight(kSideEffectsPrefix + sideEffects,
                                                               cardSideEffectsWidth(listWidth, state.dpi), FontId::Body)};
  }
  return measured;
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
  const CardTextHeights& measured = measuredHeights(canvas, state, tweak, list.width(), sideEffects);
  CardContent content{measured.description, measured.sideEffects};
  // Nothing of a card outside the list is drawn or registered.
  const CardLayout frame = cardLayout(list, y, cardHeight(content.descriptionHeight, content.sideEffectsHeight, dpi), dpi);
  if (intersect(frame.card, list).empty()) return frame.advance;

  const TweakState st = cardState(state, tweak);
  const bool aggressive = guarded::isAggressive(tweak);
  if (aggressive) content.badgeText = canvas.measureText(kBadgeText, FontId::Tiny);
  content.toggleOn = st == TweakState::Applied;
  if (categoryLabel && *categoryLabel) content.categoryLabelText = canvas.measureText(categoryLabel, FontId::Tiny);
  const CardLayout card = cardLayout(list, y, content, dpi);

  canvas.fillRoundedBordered(card.card, index == state.hoverIndex ? kColorControl : kColorPanel, kColorPanelBorder, s(10));
  if (state.selectedIds.count(tweak.id) > 0) {
    canvas.fillRoundedBordered(card.checkbox, kColorAccent, kColorAccent, s(4));
    canvas.polyline({card.tick.begin(), card.tick.end()}, kColorWhite, 2);
  } else {
    canvas.fillRoundedBordered(card.checkbox, kColorPanel, kColorPanelBorder, s(4));
  }
  canvas.fillRounded(card.dot, dotColor(st), s(5));

  if (aggressive) {
    canvas.fillRounded(card.helpMark, kColorControl, card.helpMarkRadius);
    canvas.drawText(L"?", card.helpMark, kColorText, TextFormat::Center, FontId::Bold);
    canvas.fillRounded(card.badge, kColorFailure, s(8));
    canvas.drawText(kBadgeText, card.badge, kColorWhite, TextFormat::Center, FontId::Tiny);
    addClippedRegion(state.hitRegions, card.helpMark, list, HitKind::AggressiveBadge, index);
  }
  if (categoryLabel && *categoryLabel)
    canvas.drawText(categoryLabel, card.categoryLabel, kColorInfo, TextFormat::Left, FontId::Tiny);
  canvas.drawText(tweak.title, card.title, kColorText, TextFormat::LeftEllipsis, FontId::Heading);
  canvas.drawText(tweak.description, card.description, kColorTextDim, TextFormat::Wrap, FontId::Body);
  if (!sideEffects.empty()) {
    canvas.fillRounded(card.sideEffectDot, kColorWarning, s(4));
    canvas.drawText(kSideEffectsPrefix + sideEffects, card.sideEffectText, kColorWarning, TextFormat::Wrap, FontId::Body);
  }

  canvas.fillRounded(card.toggle, trackColor(st), card.toggleRadius);
  canvas.fillRounded(card.knob, kColorWhite, card.knobRadius);

  const bool applied = st == TweakState::Applied;
  canvas.fillRounded(card.button, applied ? kColorControl : kColorAccent, s(8));
  canvas.drawText(applied ? L"Откатить" : L"Применить", card.button, kColorWhite, TextFormat::Center, FontId::Bold);

  addClippedRegion(state.hitRegions, card.title, list, HitKind::CardTitle, index);
  addClippedRegion(state.hitRegions, card.checkbox, list, HitKind::CardCheckbox, index);
  addClippedRegion(state.hitRegions, card.toggle, list, HitKind::CardToggle, index);
  addClippedRegion(state.hitRegions, card.button, list, HitKind::CardButton, index);
  return card.advance;
}

}  // namespace vx::ui
