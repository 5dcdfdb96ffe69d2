// The complete tweak catalogue in card and application order: the core tweaks of this unit with
// the group builders called at their fixed places. Built once by the window and by vxctl.
#pragma once
#include "core/tweak.h"

namespace vx {

TweakCatalog buildCatalog();

}  // namespace vx
