// How far the machine is tuned: a 0..100 score weighted by the tweaks' current states, with a level
// word and a summary. Computed on every paint of the home page and by vxctl advice.
#pragma once
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

SystemScore computeScore(const TweakCatalog& catalog);

}  // namespace vx
