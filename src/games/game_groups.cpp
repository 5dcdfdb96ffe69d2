#include "games/game_groups.h"

namespace vx {

// Game discovery and the game tweak kinds are not part of the program yet; the catalogue keeps
// their place so that the card order stays right when they arrive.
void appendPerGameGroup(TweakCatalog& /*catalog*/) {}
void appendGeneralGameGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
