#include "tweaks/group_builders.h"

namespace vx {

void appendNetworkAdapterGroup(TweakCatalog& /*catalog*/) {}

}  // namespace vx
