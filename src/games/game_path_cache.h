// The process-wide memory of where game files were found: one entry per lookup key, fresh for 30 s,
// empty results kept like found ones. Game discovery reads and fills it; the lock is held only to
// read or store an entry, never while the disk is searched.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace vx {

class GamePathCache {
 public:
  // Nanoseconds of a monotonic clock.
  using Clock = std::function<std::int64_t()>;
  static constexpr std::int64_t kLifetimeNs = 30'000'000'000;

  explicit GamePathCache(Clock clock);

  std::int64_t now() const { return clock_(); }
  // The stored path while its entry is younger than 30 s at `now`, otherwise nothing.
  std::optional<std::wstring> fresh(const std::wstring& key, std::int64_t now) const;
  // Replaces the key's entry; stamp is the time the search started.
  void store(const std::wstring& key, std::wstring path, std::int64_t stamp);

  // The whole protocol: a fresh entry, or search() run without the lock and its result stored
  // under the time taken before the search.
  std::wstring lookup(const std::wstring& key, const std::function<std::wstring()>& search);

 private:
  struct Entry {
    std::wstring path;
    std::int64_t stamp = 0;
  };
  Clock clock_;
  mutable std::mutex mutex_;
  std::unordered_map<std::wstring, Entry> entries_;
};

}  // namespace vx
