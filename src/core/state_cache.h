// A short-lived cache of tweak states for the cards, which repaint often: id -> {state, time}.
// Its mutex is never held while a tweak is queried. Cleared after every action.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/tweak.h"

namespace vx {

class TweakStateCache {
 public:
  using Clock = std::function<std::int64_t()>;  // nanoseconds, monotonic

  // The default clock is the platform's steady clock; tests inject their own.
  explicit TweakStateCache(Clock clock = {});

  // The cached state when younger than maxAgeMs, otherwise a fresh queryState() stored with the
  // time read before the query.
  TweakState cachedState(Tweak& tweak, std::int64_t maxAgeMs);
  void clear();

  // The process-wide cache the cards read through.
  static TweakStateCache& instance();

 private:
  struct Entry {
    TweakState state;
    std::int64_t takenAt;
  };
  Clock clock_;
  std::mutex mutex_;
  std::unordered_map<std::wstring, Entry> entries_;
};

}  // namespace vx
