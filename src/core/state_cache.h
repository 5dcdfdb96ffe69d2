// A short-lived cache of tweak states for the cards, which repaint often: id -> {state, time}.
// Its mutex is never held while a tweak is queried. clear() after every action marks all entries
// stale: a query that began before it can no longer store its (possibly old) result, while painting
// keeps showing the last known state until a new one arrives.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/tweak.h"

namespace vx {

class TweakStateCache {
 public:
  using Clock = std::function<std::int64_t()>;  // nanoseconds, monotonic

  // The default clock is the platform's steady clock; tests inject their own.
  explicit TweakStateCache(Clock clock = {});

  // Read-through: the cached state when younger than maxAgeMs and not cleared since, otherwise a
  // fresh (guarded) query, stored with the time read before the query.
  TweakState cachedState(Tweak& tweak, std::int64_t maxAgeMs);

  // The last state known for the id, also when stale; nothing before its first query. For painting,
  // which never queries.
  std::optional<TweakState> lastKnown(const std::wstring& id) const;

  // The last known state, also when stale; a tweak with none yet is queried now and stored. For
  // the UI thread's advice, which then waits on no more than the tweaks never seen.
  TweakState knownState(Tweak& tweak);

  // True when the entry is missing, cleared, or at least maxAgeMs old: what a refresher queries next.
  bool needsRefresh(const std::wstring& id, std::int64_t maxAgeMs) const;

  // Queries the tweak now and stores the result (unless a clear() came in between). True when the
  // stored state differs from the last known one.
  bool refresh(Tweak& tweak);

  // Stores a state just read by the caller (after its own action), fresh from now on; a clear()
  // before it does not drop it. For the card that was just applied or reverted.
  void store(const std::wstring& id, TweakState state);

  // Marks every entry stale; the states stay known for painting.
  void clear();

  // The process-wide cache the cards read through; created on first use and never destroyed, so a
  // detached job may still use it while the process ends.
  static TweakStateCache& instance();

 private:
  struct Entry {
    TweakState state;
    std::int64_t takenAt;
    std::uint64_t generation;  // of the clear() count when its query began
  };
  struct Stored {
    TweakState state;
    bool changed;
  };
  bool isFresh(const Entry& entry, std::int64_t now, std::int64_t maxAgeMs) const;
  Stored queryAndStore(Tweak& tweak);

  Clock clock_;
  mutable std::mutex mutex_;
  std::uint64_t generation_ = 0;
  std::unordered_map<std::wstring, Entry> entries_;
};

}  // namespace vx
