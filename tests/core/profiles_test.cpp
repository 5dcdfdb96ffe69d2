// Profile tiers and the profile selection: own tiers before the map, availability, order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "core/profiles.h"
#include "base/text.h"
#include "platform/sim/machine.h"
#include "support/fake_tweak.h"

namespace vx {
namespace {

using test::makeFake;

std::vector<std::wstring> ids(const std::vector<TweakPtr>& list) {
  std::vector<std::wstring> out;
  for (const auto& t : list) out.push_back(t->id);
  return out;
}

TEST(ProfilesTest, TierComesFromTheTweakFirstThenTheMap) {
  struct Case {
    const wchar_t* id;
    int own;
    int expected;
  };
  for (const Case c : {Case{L"system.show_ext", 0, 1}, Case{L"power.high", 0, 2}, Case{L"net.vip.tcp_latency", 0, 2},
                       Case{L"perf.gpu_msi", 0, 3}, Case{L"game.mit.ARC-Win64-Shipping.exe", 0, 3},
                       Case{L"game.mit.cs2.EXE", 0, 0},  // ids compare exactly
                       Case{L"system.spooler", 0, 0}, Case{L"game.hwsch", 0, 0}, Case{L"cleanup.clear_recent", 0, 0},
                       Case{L"sys.no_ndu", 3, 3}, Case{L"sys.other", 2, 2}, Case{L"power.high", 3, 3}}) {
    auto t = makeFake(c.id);
    t->ownTier = c.own;
    EXPECT_EQ(tierOf(*t), c.expected) << toUtf8(c.id);
  }
}

TEST(ProfilesTest, SelectionByLevelInCatalogueOrderWithoutUnavailableTweaks) {
  sim::machine().reset();
  auto ndu = makeFake(L"sys.no_ndu");
  ndu->ownTier = 3;
  auto updates = makeFake(L"sys.updates");
  updates->ownTier = 2;
  auto sysmain = makeFake(L"perf.sysmain");
  sysmain->state = TweakState::Unavailable;
  auto applied = makeFake(L"priv.advertising_id");
  applied->state = TweakState::Applied;
  const TweakCatalog catalog = {makeFake(L"power.high"), makeFake(L"perf.gpu_msi"), ndu, updates, sysmain,
                                makeFake(L"system.spooler"), makeFake(L"system.show_ext"), applied};

  EXPECT_EQ(ids(selectProfile(1, catalog)), (std::vector<std::wstring>{L"system.show_ext", L"priv.advertising_id"}));
  EXPECT_EQ(ids(selectProfile(2, catalog)), (std::vector<std::wstring>{L"power.high", L"sys.updates", L"system.show_ext",
                                                                       L"priv.advertising_id"}));
  EXPECT_EQ(ids(selectProfile(3, catalog)),
            (std::vector<std::wstring>{L"power.high", L"perf.gpu_msi", L"sys.no_ndu", L"sys.updates", L"system.show_ext",
                                       L"priv.advertising_id"}));
  EXPECT_EQ(ids(selectProfile(0, catalog)), ids(selectProfile(1, catalog)));  // any other level is Basic
  EXPECT_EQ(ids(selectProfile(9, catalog)), ids(selectProfile(1, catalog)));
  EXPECT_EQ(sysmain->applies, 0);
}

TEST(ProfilesTest, Names) {
  EXPECT_EQ(profileName(1), L"Базовая");
  EXPECT_EQ(profileName(2), L"Оптимальная");
  EXPECT_EQ(profileName(3), L"Максимум");
  EXPECT_EQ(profileName(7), L"Максимум");
}

// On the real catalogue: the core part of each profile, and a missing service leaves its profile.
TEST(ProfilesTest, CoreTweaksOfTheOptimalProfile) {
  sim::machine().reset();
  const TweakCatalog catalog = buildCatalog();
  const auto optimal = ids(selectProfile(2, catalog));
  ASSERT_FALSE(optimal.empty());
  EXPECT_EQ(optimal.front(), L"power.high");
  for (const wchar_t* id : {L"perf.priorityseparation", L"perf.visualfx", L"perf.sysmain", L"game.disable_gamedvr",
                            L"game.gamemode", L"priv.telemetry", L"priv.diagtrack", L"priv.advertising_id",
                            L"net.no_throttling", L"net.system_responsiveness", L"net.tcp_nodelay",
                            L"system.mouse_accel", L"system.ntfs_lastaccess", L"system.long_paths", L"system.show_ext",
                            L"cleanup.no_recent_jumplist"})
    EXPECT_NE(std::find(optimal.begin(), optimal.end(), id), optimal.end()) << toUtf8(id);
  for (const wchar_t* id : {L"system.spooler", L"game.hwsch", L"cleanup.clear_recent"})
    EXPECT_EQ(std::find(optimal.begin(), optimal.end(), id), optimal.end());

  const auto basic = ids(selectProfile(1, catalog));
  EXPECT_EQ(basic, (std::vector<std::wstring>{L"priv.advertising_id", L"system.long_paths", L"system.show_ext",
                                              L"cleanup.no_recent_jumplist"}));

  sim::machine().removeService(L"DiagTrack");
  const auto without = ids(selectProfile(2, catalog));
  EXPECT_EQ(std::find(without.begin(), without.end(), L"priv.diagtrack"), without.end());
  EXPECT_EQ(without.size(), optimal.size() - 1);
}

// The tier map is built on first use; threads racing to that first use must see one map.
TEST(ProfilesTest, ConcurrentFirstUseOfTheTierMap) {
  std::vector<std::thread> threads;
  std::vector<int> tiers(4, -1);
  const auto t = makeFake(L"perf.hags");
  for (auto& tier : tiers) threads.emplace_back([&tier, &t] { tier = tierOf(*t); });
  for (auto& th : threads) th.join();
  EXPECT_EQ(tiers, (std::vector<int>{2, 2, 2, 2}));
}

}  // namespace
}  // namespace vx
