// Game discovery on the simulated machine: which library roots exist and in which order, the
// depth-limited executable search, the 30-second path cache and the candidate lists.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <thread>

#include "games/game_config_paths.h"
#include "games/game_discovery.h"
#include "games/game_library_roots.h"
#include "games/game_scenarios.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::installRust;
using test::putFile;

constexpr std::uint64_t kThirtySecondsMs = 30'000;

class GameDiscoveryTest : public test::SimTest {
 protected:
  // A fresh discovery per test, on the simulated steady clock.
  GameDiscovery discovery{steadyNanoseconds};
};

TEST_F(GameDiscoveryTest, NoGamesAtAllGivesNoRootsAndNoExecutables) {
  EXPECT_TRUE(buildGameLibraryRoots().empty());
  for (const wchar_t* exe : {L"RustClient.exe", L"cs2.exe", L"RobloxPlayerBeta.exe", L"ARC-Win64-Shipping.exe",
                             L"TslGame.exe"})
    EXPECT_EQ(discovery.findGameExecutable(exe), L"") << exe;
  EXPECT_TRUE(rustClientCfgCandidates().size() == 11);
  EXPECT_TRUE(robloxClientSettingsCandidates().empty());
  EXPECT_EQ(robloxNewestClientSettings(), L"");
}

TEST_F(GameDiscoveryTest, RootsComeInFixedOrderAndOnlyWhenPresent) {
  const std::vector<std::wstring> all = {
      L"C:\\Program Files (x86)\\Steam\\steamapps\\common",
      L"C:\\Program Files\\Steam\\steamapps\\common",
      L"C:\\SteamLibrary\\steamapps\\common",
      L"D:\\Steam\\steamapps\\common",
      L"D:\\Games\\Steam\\steamapps\\common",
      L"G:\\SteamLibrary\\steamapps\\common",
      L"C:\\Users\\Player\\AppData\\Local\\Roblox\\Versions",
      L"C:\\Program Files\\Epic Games",
  };
  // Created in reverse, plus a library on H: that is never probed.
  for (auto it = all.rbegin(); it != all.rend(); ++it) ASSERT_TRUE(createDirectories(*it));
  ASSERT_TRUE(createDirectories(L"H:\\SteamLibrary\\steamapps\\common"));
  EXPECT_EQ(buildGameLibraryRoots(), all);

  // Without the variables their roots drop out; a value too long for the buffer counts as unset.
  machine.unsetEnv(L"ProgramFiles(x86)");
  machine.setEnv(L"LOCALAPPDATA", std::wstring(260, L'x'));
  machine.setEnv(L"ProgramFiles", L"");
  EXPECT_EQ(buildGameLibraryRoots(), (std::vector<std::wstring>{all[2], all[3], all[4], all[5]}));
}

TEST_F(GameDiscoveryTest, SearchLooksFourFoldersDeepAndNoFurther) {
  const std::wstring root = L"D:\\SteamLibrary\\steamapps\\common";
  struct Case {
    const wchar_t* relative;
    bool found;
  };
  const Case cases[] = {
      {L"game.exe", true},                // depth 0: directly in the root
      {L"a\\b\\c\\d\\game.exe", true},    // depth 4
      {L"a\\b\\c\\d\\e\\game.exe", false},  // depth 5
  };
  for (const Case& c : cases) {
    machine.reset();
    GameDiscovery fresh{steadyNanoseconds};
    const std::wstring path = putFile(root + L"\\" + c.relative, "MZ");
    EXPECT_EQ(fresh.findGameExecutable(L"game.exe"), c.found ? path : L"") << c.relative;
  }
}

TEST_F(GameDiscoveryTest, FileNameMatchesWithoutCaseAndIsReportedAsOnDisk) {
  const std::wstring exe = putFile(L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\CS\\CS2.EXE", "MZ");
  // A folder with the right name is not the executable.
  ASSERT_TRUE(createDirectories(L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\A\\cs2.exe"));
  EXPECT_EQ(discovery.findGameExecutable(L"cs2.exe"), exe);
}

TEST_F(GameDiscoveryTest, FirstRootInOrderWins) {
  struct Case {
    const wchar_t* first;
    const wchar_t* second;
  };
  const Case cases[] = {
      {L"C:\\Program Files (x86)\\Steam\\steamapps\\common", L"C:\\Program Files\\Steam\\steamapps\\common"},
      {L"C:\\Program Files\\Steam\\steamapps\\common", L"C:\\SteamLibrary\\steamapps\\common"},
      {L"C:\\Games\\Steam\\steamapps\\common", L"D:\\SteamLibrary\\steamapps\\common"},
      {L"E:\\SteamLibrary\\steamapps\\common", L"E:\\Steam\\steamapps\\common"},
      {L"E:\\Steam\\steamapps\\common", L"E:\\Games\\Steam\\steamapps\\common"},
  };
  for (const Case& c : cases) {
    machine.reset();
    GameDiscovery fresh{steadyNanoseconds};
    // The later root's copy is shallower and sorts first by name: neither may matter.
    putFile(std::wstring(c.second) + L"\\A\\RustClient.exe", "MZ");
    const std::wstring winner = putFile(std::wstring(c.first) + L"\\Rust\\bin\\RustClient.exe", "MZ");
    EXPECT_EQ(fresh.findGameExecutable(L"RustClient.exe"), winner) << c.first;
  }
}

TEST_F(GameDiscoveryTest, LinksAreNotFollowedAndDeniedFoldersAreSkipped) {
  const std::wstring root = L"D:\\SteamLibrary\\steamapps\\common";
  putFile(L"D:\\Elsewhere\\Rust\\RustClient.exe", "MZ");
  ASSERT_TRUE(createDirectories(root));
  std::filesystem::create_directory_symlink(machine.hostPath(L"D:\\Elsewhere\\Rust"),
                                            machine.hostPath(root + L"\\Rust"));
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), L"");

  putFile(root + L"\\Locked\\cs2.exe", "MZ");
  machine.denyDirectory(root + L"\\Locked");
  const std::wstring second = putFile(L"E:\\SteamLibrary\\steamapps\\common\\CS2\\cs2.exe", "MZ");
  GameDiscovery fresh{steadyNanoseconds};
  EXPECT_EQ(fresh.findGameExecutable(L"cs2.exe"), second);
}

TEST_F(GameDiscoveryTest, ResultsAreKeptForThirtySecondsFoundOrNot) {
  ASSERT_TRUE(createDirectories(L"D:\\SteamLibrary\\steamapps\\common"));
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), L"");

  const test::RustInstall rust = installRust(L'D');
  machine.advanceMs(kThirtySecondsMs - 1);
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), L"") << "the empty result is served for 30 s";
  machine.advanceMs(1);
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), rust.exe);

  ASSERT_TRUE(removeFile(rust.exe));
  machine.advanceMs(kThirtySecondsMs - 1);
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), rust.exe);
  machine.advanceMs(1);
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), L"");
}

TEST_F(GameDiscoveryTest, FirstExistingPathTakesFilesOrFoldersAndCachesPerKey) {
  const std::wstring folder = L"D:\\cfg";
  const std::wstring file = putFile(L"E:\\cfg\\client.cfg");
  ASSERT_TRUE(createDirectories(folder));
  EXPECT_EQ(discovery.firstExistingPath(L"k1", {L"C:\\none", folder, file}), folder);
  EXPECT_EQ(discovery.firstExistingPath(L"k2", {L"C:\\none", file, folder}), file);
  EXPECT_EQ(discovery.firstExistingPath(L"k3", {L"C:\\none"}), L"");
  // The key decides: other candidates under a fresh key are not answered from k1.
  EXPECT_EQ(discovery.firstExistingPath(L"k1", {file}), folder);
  machine.advanceMs(kThirtySecondsMs);
  EXPECT_EQ(discovery.firstExistingPath(L"k1", {file}), file);
}

TEST_F(GameDiscoveryTest, CandidateListsFollowTheVariablesAndDrives) {
  const std::vector<std::wstring> cs2 = cs2CfgDirCandidates();
  ASSERT_EQ(cs2.size(), 6u);
  EXPECT_EQ(cs2[0], L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Counter-Strike Global Offensive\\game\\csgo\\cfg");
  EXPECT_EQ(cs2[5], L"G:\\SteamLibrary\\steamapps\\common\\Counter-Strike Global Offensive\\game\\csgo\\cfg");

  const std::vector<std::wstring> rust = rustClientCfgCandidates();
  ASSERT_EQ(rust.size(), 11u);
  EXPECT_EQ(rust[0], L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Rust\\cfg\\client.cfg");
  EXPECT_EQ(rust[1], L"C:\\SteamLibrary\\steamapps\\common\\Rust\\cfg\\client.cfg");
  EXPECT_EQ(rust[2], L"C:\\Steam\\steamapps\\common\\Rust\\cfg\\client.cfg");
  EXPECT_EQ(rust[10], L"G:\\Steam\\steamapps\\common\\Rust\\cfg\\client.cfg");

  EXPECT_EQ(ueConfigPath(L"TslGame", L"WindowsNoEditor", L"Engine.ini"),
            L"C:\\Users\\Player\\AppData\\Local\\TslGame\\Saved\\Config\\WindowsNoEditor\\Engine.ini");

  machine.unsetEnv(L"ProgramFiles(x86)");
  EXPECT_EQ(rustClientCfgCandidates().size(), 10u);
  EXPECT_EQ(cs2CfgDirCandidates().size(), 5u);
  // 259 characters count as set, 260 do not.
  machine.setEnv(L"LOCALAPPDATA", L"C:\\" + std::wstring(256, L'l'));
  EXPECT_FALSE(ueConfigPath(L"Arc", L"WindowsClient", L"Engine.ini").empty());
  machine.setEnv(L"LOCALAPPDATA", L"C:\\" + std::wstring(257, L'l'));
  EXPECT_EQ(ueConfigPath(L"Arc", L"WindowsClient", L"Engine.ini"), L"");
  machine.unsetEnv(L"LOCALAPPDATA");
  EXPECT_EQ(ueConfigPath(L"Arc", L"WindowsClient", L"Engine.ini"), L"");
}

TEST_F(GameDiscoveryTest, RobloxCandidatesAreTheVersionsHoldingThePlayer) {
  const test::RobloxVersions v = test::installTwoRobloxVersions(machine);
  ASSERT_TRUE(createDirectories(L"C:\\Users\\Player\\AppData\\Local\\Roblox\\Versions\\version-0-empty"));
  putFile(L"C:\\Users\\Player\\AppData\\Local\\Roblox\\Versions\\not-a-folder.exe");
  EXPECT_EQ(robloxClientSettingsCandidates(),
            (std::vector<std::wstring>{v.older + L"\\ClientSettings", v.newer + L"\\ClientSettings"}));
  // The newest player decides, not the listing order.
  EXPECT_EQ(robloxNewestClientSettings(), v.newer + L"\\ClientSettings");

  // The first candidate whose ClientSettings folder exists is used.
  ASSERT_TRUE(createDirectories(v.newer + L"\\ClientSettings"));
  EXPECT_EQ(discovery.firstExistingPath(L"roblox.clientsettings", robloxClientSettingsCandidates()),
            v.newer + L"\\ClientSettings");
}

TEST_F(GameDiscoveryTest, LibraryRootsAreBuiltOnceEvenUnderConcurrentFirstCalls) {
  std::atomic<int> builds{0};
  GameDiscovery counted{steadyNanoseconds, [&] {
                          ++builds;
                          std::this_thread::sleep_for(std::chrono::milliseconds(20));
                          return std::vector<std::wstring>{L"D:\\lib"};
                        }};
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) threads.emplace_back([&] { EXPECT_EQ(counted.libraryRoots().size(), 1u); });
  for (auto& t : threads) t.join();
  EXPECT_EQ(builds.load(), 1);
  // Never rebuilt: a library that appears later is not a root.
  ASSERT_TRUE(createDirectories(L"D:\\SteamLibrary\\steamapps\\common"));
  EXPECT_EQ(counted.libraryRoots(), std::vector<std::wstring>{L"D:\\lib"});
}

TEST(GamePathCacheConcurrency, LockIsNotHeldWhileSearching) {
  std::atomic<std::int64_t> now{0};
  GamePathCache cache([&] { return now.load(); });
  std::mutex m;
  std::condition_variable cv;
  int inside = 0;
  // Each search waits until both are inside: that can only happen when the cache's lock is free
  // during the search. A held lock would make the wait time out.
  auto search = [&]() -> std::wstring {
    std::unique_lock lock(m);
    ++inside;
    cv.notify_all();
    const bool both = cv.wait_for(lock, std::chrono::seconds(5), [&] { return inside == 2; });
    return both ? L"found" : L"timeout";
  };
  std::wstring a, b;
  std::thread t1([&] { a = cache.lookup(L"key", search); });
  std::thread t2([&] { b = cache.lookup(L"key", search); });
  t1.join();
  t2.join();
  EXPECT_EQ(a, L"found");
  EXPECT_EQ(b, L"found");
  EXPECT_EQ(cache.fresh(L"key", 0), L"found");
  EXPECT_FALSE(cache.fresh(L"key", GamePathCache::kLifetimeNs).has_value());
}

}  // namespace
}  // namespace vx
