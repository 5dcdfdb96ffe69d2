// The builders of the two game tweak groups: per-game tweaks (per-executable options and config
// files), then the general game tweaks. The catalogue builder calls them one after the other.
#pragma once
#include "core/tweak.h"

namespace vx {

void appendPerGameGroup(TweakCatalog& catalog);
void appendGeneralGameGroup(TweakCatalog& catalog);

}  // namespace vx
