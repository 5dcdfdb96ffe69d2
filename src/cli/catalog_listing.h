// The lines of `vxctl list`: one tab-separated line per tweak in catalogue order with id,
// category, profile tier, "aggressive" or "-", current state and title.
#pragma once
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx::cli {

std::vector<std::wstring> catalogListing(const TweakCatalog& catalog);

}  // namespace vx::cli
