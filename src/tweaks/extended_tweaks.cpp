#include "tweaks/group_builders.h"

namespace vx {

void appendExtendedGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
