// The twenty-one core tweaks, in three runs that the catalogue assembly places around the tweak
// groups: the power plan first, the system rows after the game groups, the network and shell
// rows last.
#pragma once
#include "core/tweak.h"

namespace vx {

void appendPowerPlanRow(TweakCatalog& catalog);
void appendSystemRows(TweakCatalog& catalog);
void appendNetworkAndShellRows(TweakCatalog& catalog);

}  // namespace vx
