#include "tweaks/group_builders.h"

namespace vx {

void appendServiceUpdateGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
