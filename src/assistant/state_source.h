// Where the assistant gets tweak states from: a direct query (vxctl, decisions) or a read-through
// over the tweak state cache (the window, which repaints the cards from the same cache). A missing
// or stale cache entry is queried then and there, so both give the same answer.
#pragma once
#include <cstdint>
#include <functional>

#include "core/state_cache.h"
#include "core/tweak.h"

namespace vx {

using StateSource = std::function<TweakState(Tweak&)>;

// Asks the tweak now; a query that throws counts as Undetermined.
StateSource directStates();

// Through the cache: an entry younger than maxAgeMs is reused, anything else is queried now and
// stored. The cache must outlive the source.
constexpr std::int64_t kCachedStateMaxAgeMs = 2000;
StateSource cachedStates(TweakStateCache& cache, std::int64_t maxAgeMs = kCachedStateMaxAgeMs);

}  // namespace vx
