#include "ui/home_layout.h"

#include <algorithm>

#include "ui/theme.h"

namespace vx::ui {

namespace {

Rect centredIn(const Rect& row, int right, int width, int height) {
  const int top = row.top + (row.height() - height) / 2;
  return {right - width, top, right, top + height};
}

// The score card, tiles, driver cards and utilities from the top y down.
void placeDashboard(HomeLayout& h, const Rect& c, int driverCount, bool driftLine, int dpi, int y0) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  h.scoreCard = {c.left, y0, c.left + s(280), y0 + s(240)};
  const Rect& card = h.scoreCard;
  h.scoreHeading = {card.left + s(16), card.top + s(12), card.right - s(16), card.top + s(34)};
  h.gaugeCentre = {card.left + s(140), card.top + s(120)};
  h.gaugeRadius = s(60);
  h.appliedLine = {card.left + s(16), card.bottom - s(40), card.right - s(16), card.bottom - s(12)};

  const int tileHeight = (s(240) - 2 * s(8)) / 3;
  int top = card.top;
  for (Rect& tile : h.metricTiles) {
    tile = {card.right + s(12), top, c.right, top + tileHeight};
    top = tile.bottom + s(8);
  }

  int y = card.bottom + s(12);
  h.drivers.clear();
  if (driverCount > 0) {
    h.driverHeading = {c.left, y, c.right, y + s(28)};
    y = h.driverHeading.bottom;
    for (int i = 0; i < driverCount; ++i) {
      DriverCardLayout d;
      d.card = {c.left, y, c.right, y + s(72)};
      d.name = {d.card.left + s(16), d.card.top + s(12), d.card.right - s(200), d.card.top + s(12) + s(24)};
      d.version = {d.name.left, d.name.bottom + s(2), d.name.right, d.name.bottom + s(2) + s(20)};
      d.button = centredIn(d.card, d.card.right - s(16), s(180), s(34));
      h.drivers.push_back(d);
      y = d.card.bottom + s(8);
    }
  }
  h.driftLine = h.driftText = h.driftButton = {};
  if (driftLine) {
    h.driftLine = {c.left, y, c.right, y + s(40)};
    h.driftText = {h.driftLine.left + s(16), h.driftLine.top, h.driftLine.right - s(12) - s(160) - s(12), h.driftLine.bottom};
    h.driftButton = centredIn(h.driftLine, h.driftLine.right - s(12), s(160), s(32));
    y = h.driftLine.bottom + s(8);
  }
  h.utilitiesHeading = {c.left, y, c.right, y + s(28)};
  const int tilesTop = h.utilitiesHeading.bottom + s(8);
  const int gap = s(8);
  const int width = (c.width() - 2 * gap) / 3;
  int left = c.left;
  for (Rect& tile : h.utilityTiles) {
    tile = {left, tilesTop, left + width, tilesTop + s(56)};
    left = tile.right + gap;
  }
}

}  // namespace

HomeLayout homeLayout(const Rect& c, int driverCount, int dpi, int scroll, bool driftLine) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  HomeLayout h;
  h.titleRow = {c.left, c.top, c.right, c.top + s(48)};
  h.status = {c.left, c.bottom - s(20), c.right, c.bottom};
  h.body = {c.left, h.titleRow.bottom + s(4), c.right, h.status.top - s(4)};
  const int top = h.body.top + s(4);
  placeDashboard(h, c, driverCount, driftLine, dpi, top);
  h.contentHeight = h.utilityTiles[0].bottom + s(8) - h.body.top;
  h.maxScroll = std::max(0, h.contentHeight - h.body.height());
  h.scroll = std::clamp(scroll, 0, h.maxScroll);
  if (h.scroll > 0) placeDashboard(h, c, driverCount, driftLine, dpi, top - h.scroll);
  return h;
}

UtilityTileLayout utilityTileLayout(const Rect& t, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  UtilityTileLayout u;
  u.title = {t.left + s(14), t.top + s(8), t.right - s(120), t.top + s(28)};
  u.subtitle = {t.left + s(14), t.top + s(28), t.right - s(120), t.bottom - s(8)};
  u.button = centredIn(t, t.right - s(12), s(100), s(32));
  return u;
}

MetricTileLayout metricTileLayout(const Rect& t, int dpi) {
  auto s = [dpi](int v) { return scale(v, dpi); };
  return {{t.left + s(14), t.top + s(8), t.left + s(150), t.top + s(28)},
          {t.left + s(14), t.top + s(28), t.left + s(150), t.top + s(56)},
          {t.left + s(160), t.top + s(10), t.right - s(14), t.bottom - s(10)}};
}

}  // namespace vx::ui
