// The three one-click profiles (Basic, Optimal, Maximum) and the tier of each tweak: its own
// tier() or, when that is 0, the fixed tier map. Used by the profile buttons, vxctl and the
// recommendations.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx {

// 1..3, or 0 for a tweak that is in no profile.
int tierOf(const Tweak& tweak);

// The available tweaks of the profile (tiers 1..level; a level other than 2 or 3 means 1) in
// catalogue order. Queries every tiered tweak's state on the calling thread.
std::vector<TweakPtr> selectProfile(int level, const TweakCatalog& catalog);
// The same with each state taken from `stateOf` (the window counts from its cached states).
std::vector<TweakPtr> selectProfile(int level, const TweakCatalog& catalog,
                                    const std::function<TweakState(Tweak&)>& stateOf);

// "Базовая" for 1, "Оптимальная" for 2, "Максимум" for any other level.
std::wstring profileName(int level);

}  // namespace vx
