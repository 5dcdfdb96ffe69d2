// The lines of `vxctl list`: one tab-separated line per tweak in catalogue order with id,
// category, profile tier, "aggressive" or "-", current state and title; and the same rows as the
// JSON of `list --json` and `status --json`.
#pragma once
#include <string>
#include <vector>

#include "cli/json_output.h"
#include "core/tweak.h"

namespace vx::cli {

std::vector<std::wstring> catalogListing(const TweakCatalog& catalog);

// {"tweaks": [{"id", "title", "category", "tier", "aggressive", "state", "note"}]}, category and
// state as their enum names, note the compatibility note (empty when the tweak suits the machine).
Json catalogListingJson(const std::vector<TweakPtr>& tweaks);

}  // namespace vx::cli
