// The complete tweak catalogue in card and application order: the core rows with every group
// builder called at its fixed place. Built once by the window and by vxctl.
#pragma once
#include "core/tweak.h"

namespace vx {

TweakCatalog buildCatalog();

}  // namespace vx
