#include "assistant/state_source.h"

#include "core/guarded_calls.h"

namespace vx {

StateSource directStates() { return [](Tweak& tweak) { return guarded::queryState(tweak); }; }

StateSource cachedStates(TweakStateCache& cache, std::int64_t maxAgeMs) {
  // The cache queries through the guard, so a throwing tweak reads as Undetermined there too.
  return [&cache, maxAgeMs](Tweak& tweak) { return cache.cachedState(tweak, maxAgeMs); };
}

}  // namespace vx
