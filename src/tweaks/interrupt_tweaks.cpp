#include "tweaks/group_builders.h"

namespace vx {

void appendInterruptGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
