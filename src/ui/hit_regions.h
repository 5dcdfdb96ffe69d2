// Registering the clickable rectangles of one paint and finding the one under the pointer.
// The painters append; the click dispatcher and the hover handler search in registration order.
#pragma once
#include <initializer_list>
#include <vector>

#include "ui/ui_state.h"

namespace vx::ui {

void addRegion(std::vector<HitRegion>& regions, const Rect& rect, HitKind kind, int index = -1);

// The region limited to `clip`; nothing is registered when no part of it is visible.
void addClippedRegion(std::vector<HitRegion>& regions, const Rect& rect, const Rect& clip, HitKind kind, int index);

// The first region containing the point (of one of the kinds, when given), or null.
const HitRegion* findRegion(const std::vector<HitRegion>& regions, int x, int y);
const HitRegion* findRegion(const std::vector<HitRegion>& regions, int x, int y, std::initializer_list<HitKind> kinds);

}  // namespace vx::ui
