#include "tweaks/group_builders.h"

namespace vx {

void appendLatencyGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
