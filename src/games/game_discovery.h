// Finding installed games: an executable searched for under the library roots, or the first of a
// list of candidate paths that exists, both remembered for 30 s in a GamePathCache. The game tweaks
// hold a GameDiscovery (the process-wide one unless a test gives its own) and ask it at each use.
#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "games/game_path_cache.h"

namespace vx {

class GameDiscovery {
 public:
  using RootsSource = std::function<std::vector<std::wstring>()>;

  // roots is called once, on the first executable search (buildGameLibraryRoots unless given).
  explicit GameDiscovery(GamePathCache::Clock clock, RootsSource roots = {});

  // The library roots, built on first use and never rebuilt; safe against concurrent first calls.
  const std::vector<std::wstring>& libraryRoots();

  // Full path of the first regular file named fileName (without regard to case) at most four
  // folders below a root, roots in order; empty when there is none. Cached under the file name.
  std::wstring findGameExecutable(const std::wstring& fileName);

  // The first candidate that exists (file or folder), or empty. Cached under key.
  std::wstring firstExistingPath(const std::wstring& key, const std::vector<std::wstring>& candidates);

 private:
  GamePathCache cache_;
  RootsSource rootsSource_;
  std::once_flag rootsBuilt_;
  std::vector<std::wstring> roots_;
};

// The process-wide discovery on the steady clock; created on first use, never destroyed.
GameDiscovery& gameDiscovery();

// The process-wide library roots (gameDiscovery().libraryRoots()).
const std::vector<std::wstring>& gameLibraryRoots();

// The search itself, uncached: the first match below the roots, depth limit four.
std::wstring searchGameExecutable(const std::vector<std::wstring>& roots, const std::wstring& fileName);

}  // namespace vx
