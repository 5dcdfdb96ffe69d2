// The Home page's drawing pieces: the score gauge, the load chart and the two kinds of tile.
#include "core/state_cache.h"
#include "ui/hit_regions.h"
#include "ui/home_layout.h"
#include "ui/painters.h"

namespace vx::ui {

namespace {

constexpr Color kChartGrid{60, 60, 80};

}  // namespace

Color scoreColor(int score) {
  if (score < 25) return kColorFailure;
  if (score < 50) return kColorWarning;
  if (score < 75) return kColorAccent;
  return kColorSuccess;
}

std::optional<SystemScore> homeScore(const UiState& state) {
  if (state.queryStatesWhilePainting) return computeScore(state.catalogue);
  const TweakStateCache& cache = *state.states;
  bool complete = true;
  SystemScore score = computeScore(state.catalogue, [&cache, &complete](Tweak& tweak) {
    const std::optional<TweakState> known = cache.lastKnown(tweak.id);
    if (!known) complete = false;
    return known.value_or(TweakState::Undetermined);
  });
  if (!complete) return std::nullopt;
  return score;
}

void drawPendingGauge(Canvas& canvas, Point c, int r, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  canvas.arc({c.x - r, c.y - r, c.x + r, c.y + r}, 0, 360, kColorControl, s(8));
  canvas.drawText(kGaugePendingValue, {c.x - r, c.y - s(20), c.x + r, c.y + s(4)}, kColorText, TextFormat::Center,
                  FontId::Title);
}

void drawGauge(Canvas& canvas, Point c, int r, int value, const std::wstring& label, Color color, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  const Rect ring{c.x - r, c.y - r, c.x + r, c.y + r};
  canvas.arc(ring, 0, 360, kColorControl, s(8));
  if (value > 0) {
    const int clamped = value > 100 ? 100 : value;
    // Clockwise (a negative sweep) from 12 o'clock.
    canvas.arc(ring, 90, -3.6 * clamped, color, s(8));
  }
  canvas.drawText(std::to_wstring(value), {c.x - r, c.y - s(20), c.x + r, c.y + s(4)}, kColorText, TextFormat::Center,
                  FontId::Title);
  canvas.drawText(label, {c.x - r, c.y + s(6), c.x + r, c.y + s(28)}, color, TextFormat::Center, FontId::Bold);
}

void drawLineChart(Canvas& canvas, const Rect& r, const std::vector<std::int32_t>& samples, Color color) {
  if (samples.size() < 2) return;
  for (int quarter = 1; quarter <= 3; ++quarter) {
    const int y = r.top + r.height() * quarter / 4;
    canvas.line({r.left, y}, {r.right, y}, kChartGrid, 1);
  }
  canvas.polyline(chartPoints(r, samples), color, 2);
}

void drawMetricTile(Canvas& canvas, const Rect& rect, const std::wstring& label, int percent,
                    const std::vector<std::int32_t>& samples, Color color, int dpi) {
  const MetricTileLayout t = metricTileLayout(rect, dpi);
  canvas.fillRoundedBordered(rect, kColorPanel, kColorPanelBorder, scale(10, dpi));
  canvas.drawText(label, t.label, kColorTextDim, TextFormat::Left, FontId::Small);
  canvas.drawText(std::to_wstring(percent) + L"%", t.percent, color, TextFormat::Left, FontId::Title);
  drawLineChart(canvas, t.chart, samples, color);
}

void drawUtilityTile(Canvas& canvas, UiState& state, const Rect& rect, const Rect& clip, const std::wstring& title,
                     const std::wstring& subtitle, HitKind kind) {
  const int dpi = state.dpi;
  const UtilityTileLayout t = utilityTileLayout(rect, dpi);
  canvas.fillRoundedBordered(rect, kColorPanel, kColorPanelBorder, scale(10, dpi));
  canvas.drawText(title, t.title, kColorText, TextFormat::LeftEllipsis, FontId::Bold);
  canvas.drawText(subtitle, t.subtitle, kColorTextDim, TextFormat::LeftEllipsisNoPrefix, FontId::Small);
  canvas.fillRounded(t.button, kColorControl, scale(8, dpi));
  canvas.drawText(L"Открыть", t.button, kColorWhite, TextFormat::Center, FontId::Bold);
  addClippedRegion(state.hitRegions, t.button, clip, kind, -1);
}

}  // namespace vx::ui
