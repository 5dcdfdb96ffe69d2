// The geometry of the Home dashboard for a content rectangle, the number of driver cards, the DPI
// and the scroll offset: the score card and its gauge, the three load tiles, the driver cards, the
// line of tweaks reset since they were applied, the three utility tiles and the status line. The Home painter draws from it; the tests check it without drawing.
#pragma once
#include <array>
#include <vector>

#include "ui/geometry.h"

namespace vx::ui {

struct DriverCardLayout {
  Rect card;
  Rect name;
  Rect version;
  Rect button;  // "Обновить драйвер"
};

struct HomeLayout {
  Rect titleRow;
  Rect scoreCard;
  Rect scoreHeading;
  Point gaugeCentre;
  int gaugeRadius = 0;
  Rect appliedLine;
  std::array<Rect, 3> metricTiles;  // CPU, GPU, RAM
  Rect driverHeading;               // empty without driver cards
  std::vector<DriverCardLayout> drivers;
  // "Сброшено после применения: N" and its "Применить снова" button; empty without such tweaks.
  Rect driftLine;  // 40 high, 8 above the utilities' heading
  Rect driftText;
  Rect driftButton;  // 160 x 32, 12 from the right end
  Rect utilitiesHeading;
  // Restart Explorer, backup folder, change journal: (width - 16) / 3 each, 8 apart.
  std::array<Rect, 3> utilityTiles;
  Rect body;                         // under the title, above the status line; the page is clipped to it
  Rect status;
  int contentHeight = 0;             // of everything under the title, unscrolled
  int maxScroll = 0;                 // how far the wheel can move it: 0 when it fits the body
  int scroll = 0;                    // the offset used, clamped to 0..maxScroll
};
// A dashboard taller than its body (a short window, many driver cards) scrolls by `scroll` pixels.
// With `driftLine` the line of reset tweaks goes above the utilities.
HomeLayout homeLayout(const Rect& content, int driverCount, int dpi, int scroll, bool driftLine = false);

struct UtilityTileLayout {
  Rect title;
  Rect subtitle;
  Rect button;  // "Открыть"
};
UtilityTileLayout utilityTileLayout(const Rect& tile, int dpi);

struct MetricTileLayout {
  Rect label;
  Rect percent;
  Rect chart;
};
MetricTileLayout metricTileLayout(const Rect& tile, int dpi);

// The polyline of a load chart: sample i of n at left + i * width / (n - 1), the value clamped to
// 0..100 measured up from the bottom. Empty with fewer than two samples.
template <typename Sample>
std::vector<Point> chartPoints(const Rect& r, const std::vector<Sample>& samples) {
  std::vector<Point> points;
  const std::size_t n = samples.size();
  if (n < 2) return points;
  points.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    int v = static_cast<int>(samples[i]);
    v = v < 1 ? 0 : v > 100 ? 100 : v;
    const int x = r.left + static_cast<int>(static_cast<double>(i) * r.width() / static_cast<double>(n - 1));
    points.push_back({x, r.bottom - v * r.height() / 100});
  }
  return points;
}

}  // namespace vx::ui
