// How far the machine is tuned: a 0..100 score weighted by the tweaks' current states, with a level
// word and a summary. Computed on every paint of the home page and by vxctl advice.
#pragma once
#include <functional>
#include <string>

#include "core/tweak.h"

namespace vx {

struct SystemScore {
  int score = 0;          // 0..100
  int appliedCount = 0;   // tweaks in state Applied
  int countedCount = 0;   // tweaks that took part (not Unavailable)
  std::wstring level;
  std::wstring summary;
  bool operator==(const SystemScore&) const = default;
};

// Asks every tweak now.
SystemScore computeScore(const TweakCatalog& catalog);
// Takes each tweak's state from `stateOf` (the window passes the last known cached states, so a
// paint never waits on the system).
SystemScore computeScore(const TweakCatalog& catalog, const std::function<TweakState(Tweak&)>& stateOf);

}  // namespace vx
