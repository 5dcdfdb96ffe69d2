#include "ui/hit_regions.h"

#include <algorithm>

namespace vx::ui {

void addRegion(std::vector<HitRegion>& regions, const Rect& rect, HitKind kind, int index) {
  regions.push_back(HitRegion{rect, kind, index});
}

void addClippedRegion(std::vector<HitRegion>& regions, const Rect& rect, const Rect& clip, HitKind kind, int index) {
  const Rect visible = intersect(rect, clip);
  if (visible.empty()) return;
  addRegion(regions, visible, kind, index);
}

const HitRegion* findRegion(const std::vector<HitRegion>& regions, int x, int y) {
  for (const auto& region : regions)
    if (region.rect.contains(x, y)) return &region;
  return nullptr;
}

const HitRegion* findRegion(const std::vector<HitRegion>& regions, int x, int y, std::initializer_list<HitKind> kinds) {
  for (const auto& region : regions)
    if (region.rect.contains(x, y) && std::find(kinds.begin(), kinds.end(), region.kind) != kinds.end())
      return &region;
  return nullptr;
}

}  // namespace vx::ui
