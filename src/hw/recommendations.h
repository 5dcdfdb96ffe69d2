// Personal recommendations derived from the hardware profile and the tweaks still to apply, in
// priority order. Rebuilt by the UI after every action; also printed by vxctl advice.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/tweak.h"
#include "hw/hardware_profile.h"

namespace vx {

struct Recommendation {
  std::wstring title;
  std::wstring text;
  int priority = 1;                   // 0 important, 1 tip, 2 option
  std::vector<std::wstring> tweakIds; // applied together when the user accepts the advice
  bool operator==(const Recommendation&) const = default;
};

// "ВАЖНО", "СОВЕТ", "ОПЦИЯ"; empty for any other priority.
const wchar_t* recommendationPriorityLabel(int priority);

// The first tweak with exactly this id exists and reports NotApplied or Undetermined (queried now,
// not through the state cache).
bool isPending(const TweakCatalog& catalog, const std::wstring& id);

// Every recommendation whose condition holds, stably sorted by priority. Queries the tweaks now.
std::vector<Recommendation> buildRecommendations(const HardwareProfile& profile, const TweakCatalog& catalog);
// The same with each tweak's state taken from `stateOf` (the window passes its cached states).
std::vector<Recommendation> buildRecommendations(const HardwareProfile& profile, const TweakCatalog& catalog,
                                                 const std::function<TweakState(Tweak&)>& stateOf);

}  // namespace vx
