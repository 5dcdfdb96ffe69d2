#include "core/state_cache.h"

#include "platform/system.h"

namespace vx {

TweakStateCache::TweakStateCache(Clock clock) : clock_(clock ? std::move(clock) : Clock(&steadyNanoseconds)) {}

TweakState TweakStateCache::cachedState(Tweak& tweak, std::int64_t maxAgeMs) {
  const std::int64_t now = clock_();
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(tweak.id);
    if (it != entries_.end() && now - it->second.takenAt < maxAgeMs * 1'000'000) return it->second.state;
  }
  const TweakState state = tweak.queryState();  // without the lock: queries may take a while
  std::lock_guard lock(mutex_);
  entries_[tweak.id] = Entry{state, now};
  return state;
}

void TweakStateCache::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

TweakStateCache& TweakStateCache::instance() {
  static TweakStateCache cache;
  return cache;
}

}  // namespace vx
