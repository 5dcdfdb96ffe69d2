// The complete tweak catalogue in card and application order: the core rows with every group
// builder called at its fixed place. Built once by the window and by vxctl.
#pragma once
#include "core/tweak.h"
#include "games/game_discovery.h"

namespace vx {

TweakCatalog buildCatalog();
// The same with the game tweaks finding games through this discovery (tests hand their own).
TweakCatalog buildCatalog(GameDiscovery& discovery);

}  // namespace vx
