// Orders the tweaks the assistant offers by their learned weights (plus - minus in appliedStats),
// highest first, keeping the given order among equal weights. Used by the reply composer for every
// list of ids it offers and for the advice list.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "assistant/assistant_memory.h"
#include "assistant/state_source.h"
#include "core/tweak.h"

namespace vx {

using TweakStatsMap = std::map<std::wstring, TweakStats>;

// Every id gets an entry {0, 0} in the map when it had none.
void orderByWeight(std::vector<std::wstring>& ids, TweakStatsMap& stats);

// The catalogue tweaks whose state is exactly NotApplied (Undetermined and the rest are left out),
// in catalogue order, then ordered by weight as above.
std::vector<TweakPtr> unappliedByWeight(const TweakCatalog& catalog, const StateSource& states, TweakStatsMap& stats);

}  // namespace vx
