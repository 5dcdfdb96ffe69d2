#include "games/game_discovery.h"

#include <memory>

#include "base/text.h"
#include "games/game_library_roots.h"
#include "platform/files.h"
#include "platform/system.h"

namespace vx {

namespace {

// Entries up to four folders below a root are looked at: depth 0..4, which walkFiles counts 1..5.
constexpr int kWalkLevels = 5;

std::wstring_view fileNameOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring_view(path) : std::wstring_view(path).substr(cut + 1);
}

}  // namespace

std::wstring searchGameExecutable(const std::vector<std::wstring>& roots, const std::wstring& fileName) {
  for (const std::wstring& root : roots) {
    std::wstring found;
    walkFiles(root, kWalkLevels, [&](const std::wstring& path, const DirEntry& entry) {
      if (entry.isDirectory || entry.isLink || !equalsFolded(fileNameOf(path), fileName)) return true;
      found = path;
      return false;
    });
    if (!found.empty()) return found;
  }
  return {};
}

GameDiscovery::GameDiscovery(GamePathCache::Clock clock, RootsSource roots)
    : cache_(std::move(clock)), rootsSource_(roots ? std::move(roots) : RootsSource(buildGameLibraryRoots)) {}

const std::vector<std::wstring>& GameDiscovery::libraryRoots() {
  std::call_once(rootsBuilt_, [this] { roots_ = rootsSource_(); });
  return roots_;
}

std::wstring GameDiscovery::findGameExecutable(const std::wstring& fileName) {
  return cache_.lookup(fileName, [&] { return searchGameExecutable(libraryRoots(), fileName); });
}

std::wstring GameDiscovery::firstExistingPath(const std::wstring& key, const std::vector<std::wstring>& candidates) {
  return cache_.lookup(key, [&]() -> std::wstring {
    for (const std::wstring& candidate : candidates)
      if (fileStatus(candidate).kind != FileKind::Missing) return candidate;
    return {};
  });
}

GameDiscovery& gameDiscovery() {
  // Never destroyed: a job still running while the process ends may be using it.
  static GameDiscovery* const instance = std::make_unique<GameDiscovery>(steadyNanoseconds).release();
  return *instance;
}

const std::vector<std::wstring>& gameLibraryRoots() { return gameDiscovery().libraryRoots(); }

}  // namespace vx
