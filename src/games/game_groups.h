// The builders of the two game tweak groups: per-game tweaks (per-executable options and config
// files), then the general game tweaks. The catalogue builder calls them one after the other;
// tests may hand their own discovery.
#pragma once
#include "core/tweak.h"
#include "games/game_discovery.h"

namespace vx {

// 17 tweaks: IFEO priority and fullscreen flags per game, the six config-file tweaks, the
// colour-settings shortcut. Discovery inputs (candidate lists, .ini paths) are computed now.
void appendPerGameGroup(TweakCatalog& catalog, GameDiscovery& discovery = gameDiscovery());
// 8 tweaks: Game Bar, ULPS, raw mouse, shader cache, then mitigations for the four games that get them.
void appendGeneralGameGroup(TweakCatalog& catalog);

}  // namespace vx
