#include "catalog/build_catalog.h"

#include "core/core_rows.h"
#include "games/game_groups.h"
#include "tweaks/group_builders.h"

namespace vx {

TweakCatalog buildCatalog() { return buildCatalog(gameDiscovery()); }

TweakCatalog buildCatalog(GameDiscovery& discovery) {
  TweakCatalog catalog;
  appendPowerPlanRow(catalog);
  appendInterruptGroup(catalog);
  appendLatencyGroup(catalog);
  appendExtendedGroup(catalog);
  appendServiceUpdateGroup(catalog);
  appendPerGameGroup(catalog, discovery);
  appendGeneralGameGroup(catalog);
  appendSystemRows(catalog);
  appendNetworkAdapterGroup(catalog);
  appendNetworkAndShellRows(catalog);
  return catalog;
}

}  // namespace vx
