#include "assistant/state_source.h"

namespace vx {

namespace {

// A tweak query that throws must not take the reply down with it.
TweakState queryGuarded(Tweak& tweak) {
  try {
    return tweak.queryState();
  } catch (...) {
    return TweakState::Undetermined;
  }
}

}  // namespace

StateSource directStates() { return [](Tweak& tweak) { return queryGuarded(tweak); }; }

StateSource cachedStates(TweakStateCache& cache, std::int64_t maxAgeMs) {
  return [&cache, maxAgeMs](Tweak& tweak) {
    try {
      return cache.cachedState(tweak, maxAgeMs);
    } catch (...) {
      return TweakState::Undetermined;
    }
  };
}

}  // namespace vx
