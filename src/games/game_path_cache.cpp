#include "games/game_path_cache.h"

namespace vx {

GamePathCache::GamePathCache(Clock clock) : clock_(std::move(clock)) {}

std::optional<std::wstring> GamePathCache::fresh(const std::wstring& key, std::int64_t now) const {
  std::lock_guard lock(mutex_);
  const auto it = entries_.find(key);
  if (it == entries_.end()) return std::nullopt;
  const std::int64_t age = now - it->second.stamp;
  // A reading before the stamp cannot come from one monotonic clock; treat it as stale.
  if (age < 0 || age >= kLifetimeNs) return std::nullopt;
  return it->second.path;
}

void GamePathCache::store(const std::wstring& key, std::wstring path, std::int64_t stamp) {
  std::lock_guard lock(mutex_);
  entries_[key] = Entry{std::move(path), stamp};
}

std::wstring GamePathCache::lookup(const std::wstring& key, const std::function<std::wstring()>& search) {
  const std::int64_t start = now();
  if (auto cached = fresh(key, start)) return *cached;
  std::wstring found = search();
  store(key, found, start);
  return found;
}

}  // namespace vx
