// Cost of the game executable search over a synthetic Steam library of about 100 000 files (some
// deeper than four folders), next to a bare depth-limited walk of the same tree; and of the cached
// lookup next to a plain map lookup. Natively the tree lives on the simulated machine's disk,
// under Wine on the prefix's. Prints medians and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench_compare.h"
#include "games/game_discovery.h"
#include "platform/files.h"
#include "platform/system.h"
#ifndef _WIN32
#include "platform/sim/machine.h"
#endif

namespace {

using vx::bench::compare;
using vx::bench::g_sink;

// 20 game folders, each a binary tree of folders six levels deep with `filesPerFolder` files in
// every folder: files lie up to seven folders below the root.
std::size_t buildLibrary(const std::wstring& root, int filesPerFolder) {
  std::size_t files = 0;
  std::function<void(const std::wstring&, int)> fill = [&](const std::wstring& folder, int level) {
    vx::createDirectories(folder);
    for (int f = 0; f < filesPerFolder; ++f) {
      vx::writeFileBytes(vx::joinPath(folder, L"asset" + std::to_wstring(f) + L".pak"), "");
      ++files;
    }
    if (level < 6)
      for (int child = 0; child < 2; ++child) fill(vx::joinPath(folder, L"dir" + std::to_wstring(child)), level + 1);
  };
  for (int g = 0; g < 20; ++g) fill(vx::joinPath(root, L"Game" + std::to_wstring(g)), 0);
  return files;
}

}  // namespace

#ifdef _WIN32
int wmain() {
  std::printf("games_bench: Windows build (real file system)\n");
  const std::wstring base = vx::tempDirectory().value_or(L"C:\\") + L"vx-games-bench";
#else
int main() {
  std::printf("games_bench: native build (simulated machine's disk)\n");
  vx::sim::machine().reset();
  const std::wstring base = L"D:\\vx-games-bench";
#endif
  const std::wstring root = vx::joinPath(base, L"steamapps\\common");
  const char* env = std::getenv("VX_BENCH_FILES_PER_FOLDER");
  const int perFolder = env != nullptr ? std::max(1, std::atoi(env)) : 40;
  const std::size_t files = buildLibrary(root, perFolder);
  // The one executable sits four folders deep in the game folder listed last ("Game9" sorts after
  // "Game19"): found only after nearly all of the tree.
  const std::wstring exe = vx::joinPath(root, L"Game9\\dir1\\dir1\\dir1\\Target.exe");
  vx::writeFileBytes(exe, "MZ");
  std::printf("library: %zu files below %s\nmedian of %d rounds of ~%.0f ms each\n\n", files + 1,
              std::string(root.begin(), root.end()).c_str(), vx::bench::kRounds, vx::bench::kRoundSeconds * 1000);

  // A clock that moves 30 s per reading: every lookup misses the cache and searches the disk.
  std::int64_t ticking = 0;
  vx::GameDiscovery uncached([&] { return ticking += vx::GamePathCache::kLifetimeNs; },
                             [&] { return std::vector<std::wstring>{root}; });
  const auto bareWalk = [&] {
    std::size_t n = 0;
    vx::walkFiles(root, 5, [&](const std::wstring&, const vx::DirEntry&) {
      ++n;
      return true;
    });
    g_sink = g_sink + n;
  };
  if (uncached.findGameExecutable(L"target.exe") != exe) std::printf("!! the executable was not found\n");
  compare("findGameExecutable (missing game)", [&] { g_sink = g_sink + uncached.findGameExecutable(L"Absent.exe").size(); },
          "bare walkFiles, depth limit 4", bareWalk);
  compare("findGameExecutable (found in last game)", [&] { g_sink = g_sink + uncached.findGameExecutable(L"TARGET.EXE").size(); },
          "bare walkFiles, depth limit 4", bareWalk);

  vx::GameDiscovery cached([] { return std::int64_t{0}; }, [&] { return std::vector<std::wstring>{root}; });
  cached.findGameExecutable(L"Target.exe");
  const std::unordered_map<std::wstring, std::wstring> plain = {{L"Target.exe", exe}};
  compare("findGameExecutable (cached)", [&] { g_sink = g_sink + cached.findGameExecutable(L"Target.exe").size(); },
          "unordered_map find + copy", [&] {
            const auto it = plain.find(L"Target.exe");
            const std::wstring copy = it->second;
            g_sink = g_sink + copy.size();
          });

#ifdef _WIN32
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(base), ec);
#else
  vx::sim::machine().reset();
#endif
  return 0;
}
