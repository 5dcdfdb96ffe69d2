// The two game tweak groups: 25 tweaks in card order with their ids, titles and pages on a machine
// without any game, their place in the whole catalogue, and the profile tiers they complete.
#include <gtest/gtest.h>

#include "catalog/build_catalog.h"
#include "core/profiles.h"
#include "games/game_groups.h"
#include "platform/system.h"
#include "support/sim_test.h"

namespace vx {
namespace {

constexpr auto Games = TweakCategory::Games;
constexpr auto Pro = TweakCategory::Pro;

struct Row {
  const wchar_t* id;
  const wchar_t* title;
  TweakCategory category;
};

const Row kRows[] = {
    {L"game.ifeo.RustClient.exe", L"Rust: High CPU/IO priority (IFEO)", Games},
    {L"game.ifeo.cs2.exe", L"CS2: High CPU/IO priority (IFEO)", Games},
    {L"game.ifeo.RobloxPlayerBeta.exe", L"Roblox: High CPU/IO priority (IFEO)", Games},
    {L"game.ifeo.ARC-Win64-Shipping.exe", L"Arc Raiders: High CPU/IO priority (IFEO)", Games},
    {L"game.ifeo.TslGame.exe", L"PUBG: High CPU/IO priority (IFEO)", Games},
    {L"game.fso.RustClient.exe", L"Rust: отключить Fullscreen Optimizations", Games},
    {L"game.fso.cs2.exe", L"CS2: отключить Fullscreen Optimizations", Games},
    {L"game.fso.RobloxPlayerBeta.exe", L"Roblox: отключить Fullscreen Optimizations", Games},
    {L"game.fso.ARC-Win64-Shipping.exe", L"Arc Raiders: отключить Fullscreen Optimizations", Games},
    {L"game.fso.TslGame.exe", L"PUBG: отключить Fullscreen Optimizations", Games},
    {L"game.rust.visuals", L"Rust: плавная картинка (motion blur off, sharpening, fps unlock)", Games},
    {L"game.cs2.autoexec", L"CS2: autoexec.cfg для плавности и низкой задержки", Games},
    {L"game.roblox.fflags", L"Roblox: разблокировать FPS + плавность (FastFlags)", Games},
    {L"game.arc.engineini", L"Arc Raiders: Engine.ini оптимизация (UE5)", Games},
    {L"game.pubg.engineini", L"PUBG: Engine.ini для плавности (UE4)", Games},
    {L"game.pubg.gameusersettings", L"PUBG: принудительно fullscreen вместо borderless", Games},
    {L"game.color.open", L"Открыть настройки цвета (NVIDIA / AMD)", Games},
    {L"game.kill_gamebar", L"Полностью отключить Game Bar и Xbox-сервисы", Games},
    {L"game.nv_no_ulps", L"NVIDIA: отключить ULPS (Ultra Low Power State)", Pro},
    {L"game.mouse_raw", L"Мышь: убрать акселерацию + снизить smoothing", Games},
    {L"game.clear_shadercache", L"Очистить D3D кэш шейдеров", Games},
    {L"game.mit.RustClient.exe", L"Rust: отключить mitigations", Pro},
    {L"game.mit.cs2.exe", L"CS2: отключить mitigations", Pro},
    {L"game.mit.ARC-Win64-Shipping.exe", L"Arc Raiders: отключить mitigations", Pro},
    {L"game.mit.TslGame.exe", L"PUBG: отключить mitigations", Pro},
};

class GameGroups : public test::SimTest {};

TEST_F(GameGroups, TwentyFiveTweaksInCardOrderWithoutAnyGame) {
  GameDiscovery discovery{steadyNanoseconds};
  TweakCatalog catalog;
  appendPerGameGroup(catalog, discovery);
  ASSERT_EQ(catalog.size(), 17u);
  appendGeneralGameGroup(catalog);
  ASSERT_EQ(catalog.size(), std::size(kRows));
  for (std::size_t i = 0; i < catalog.size(); ++i) {
    EXPECT_EQ(catalog[i]->id, kRows[i].id) << i;
    EXPECT_EQ(catalog[i]->title, kRows[i].title) << i;
    EXPECT_EQ(catalog[i]->category, kRows[i].category) << i;
    EXPECT_EQ(catalog[i]->tier(), 0) << i;
  }
  EXPECT_EQ(catalog[0]->description,
            L"Через IFEO принудительно даёт процессу RustClient.exe High CPU и IO Priority. Снижает микро-фризы при "
            L"подгрузке текстур и сети.");
  for (const TweakPtr& t : catalog)
    EXPECT_EQ(t->id.find(L"game.mit.RobloxPlayerBeta"), std::wstring::npos) << "Roblox gets no mitigation tweak";

  // Without any game: the config files and compatibility flags are unavailable, the IFEO ones not.
  EXPECT_EQ(catalog[0]->queryState(), TweakState::NotApplied);
  EXPECT_EQ(catalog[5]->queryState(), TweakState::Unavailable);
  EXPECT_EQ(catalog[10]->queryState(), TweakState::Unavailable);
  EXPECT_EQ(catalog[13]->queryState(), TweakState::NotApplied);
}

TEST_F(GameGroups, StandTogetherInTheCatalogueAndCompleteTheProfiles) {
  const TweakCatalog catalog = buildCatalog();
  EXPECT_EQ(catalog.size(), 78u);
  std::size_t first = catalog.size();
  for (std::size_t i = 0; i < catalog.size() && first == catalog.size(); ++i)
    if (catalog[i]->id == kRows[0].id) first = i;
  ASSERT_LE(first + std::size(kRows), catalog.size());
  for (std::size_t k = 0; k < std::size(kRows); ++k) EXPECT_EQ(catalog[first + k]->id, kRows[k].id) << k;

  struct Tiered {
    const wchar_t* id;
    int tier;
  };
  for (const Tiered& t : {Tiered{L"game.kill_gamebar", 2}, Tiered{L"game.mouse_raw", 2}, Tiered{L"game.nv_no_ulps", 3},
                          Tiered{L"game.mit.RustClient.exe", 3}, Tiered{L"game.mit.cs2.exe", 3},
                          Tiered{L"game.mit.ARC-Win64-Shipping.exe", 3}, Tiered{L"game.mit.TslGame.exe", 3}}) {
    const auto it = std::find_if(catalog.begin(), catalog.end(), [&](const TweakPtr& p) { return p->id == t.id; });
    ASSERT_NE(it, catalog.end());
    EXPECT_EQ(tierOf(**it), t.tier);
  }
  // Every id of the tier map now names a tweak: 4 basic, 21 optimal, 21 maximum (tweaks with a
  // tier of their own are not from the map).
  int perTier[4] = {0, 0, 0, 0};
  for (const TweakPtr& t : catalog)
    if (t->tier() == 0) ++perTier[tierOf(*t)];
  EXPECT_EQ(perTier[1], 4);
  EXPECT_EQ(perTier[2], 21);
  EXPECT_EQ(perTier[3], 21);
}

TEST_F(GameGroups, MouseAccelerationAndRawMouseAgreeOnTheValues) {
  const TweakCatalog catalog = buildCatalog();
  TweakPtr accel, raw;
  for (const TweakPtr& t : catalog) {
    if (t->id == L"system.mouse_accel") accel = t;
    if (t->id == L"game.mouse_raw") raw = t;
  }
  ASSERT_TRUE(accel && raw);
  ASSERT_TRUE(accel->apply());
  ASSERT_TRUE(raw->apply());
  EXPECT_EQ(accel->queryState(), TweakState::Applied);
  EXPECT_EQ(raw->queryState(), TweakState::Applied);
}

}  // namespace
}  // namespace vx
