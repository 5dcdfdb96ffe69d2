#include "core/state_cache.h"

#include "base/process_wide.h"
#include "core/guarded_calls.h"
#include "platform/system.h"

namespace vx {

TweakStateCache::TweakStateCache(Clock clock) : clock_(clock ? std::move(clock) : Clock(&steadyNanoseconds)) {}

bool TweakStateCache::isFresh(const Entry& entry, std::int64_t now, std::int64_t maxAgeMs) const {
  return entry.generation == generation_ && now - entry.takenAt < maxAgeMs * 1'000'000;
}

TweakStateCache::Stored TweakStateCache::queryAndStore(Tweak& tweak) {
  std::uint64_t generation;
  std::int64_t takenAt;
  {
    std::lock_guard lock(mutex_);
    generation = generation_;
    takenAt = clock_();
  }
  const TweakState state = guarded::queryState(tweak);  // without the lock: queries may take a while
  std::lock_guard lock(mutex_);
  if (generation != generation_) return {state, false};  // a clear() came in between: the result may predate it
  auto [it, inserted] = entries_.try_emplace(tweak.id, Entry{state, takenAt, generation});
  const bool changed = inserted || it->second.state != state;
  if (!inserted) it->second = Entry{state, takenAt, generation};
  return {state, changed};
}

TweakState TweakStateCache::cachedState(Tweak& tweak, std::int64_t maxAgeMs) {
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(tweak.id);
    if (it != entries_.end() && isFresh(it->second, clock_(), maxAgeMs)) return it->second.state;
  }
  return queryAndStore(tweak).state;
}

TweakState TweakStateCache::knownState(Tweak& tweak) {
  if (const std::optional<TweakState> known = lastKnown(tweak.id)) return *known;
  return queryAndStore(tweak).state;
}

std::optional<TweakState> TweakStateCache::lastKnown(const std::wstring& id) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(id);
  if (it == entries_.end()) return std::nullopt;
  return it->second.state;
}

bool TweakStateCache::needsRefresh(const std::wstring& id, std::int64_t maxAgeMs) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(id);
  return it == entries_.end() || !isFresh(it->second, clock_(), maxAgeMs);
}

bool TweakStateCache::refresh(Tweak& tweak) { return queryAndStore(tweak).changed; }

void TweakStateCache::store(const std::wstring& id, TweakState state) {
  std::lock_guard lock(mutex_);
  entries_.insert_or_assign(id, Entry{state, clock_(), generation_});
}

void TweakStateCache::clear() {
  std::lock_guard lock(mutex_);
  ++generation_;
}

TweakStateCache& TweakStateCache::instance() { return processWide<TweakStateCache>(); }

}  // namespace vx
