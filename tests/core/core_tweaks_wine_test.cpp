// The core catalogue against the real registry and Service Control Manager under Wine: every
// registry tweak applies, reads back and reverts; the Spooler tweak disables and restores the
// service's start type (its original start type is put back afterwards).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "core/reg_dword_tweak.h"
#include "base/text.h"
#include "platform/registry.h"
#include "platform/services.h"

namespace vx {
namespace {

std::vector<RegValueEntry> entriesOf(Tweak& tweak) {
  if (auto* single = dynamic_cast<RegDwordTweak*>(&tweak))
    return {RegValueEntry{single->root, single->subkey, single->valueName, single->appliedValue, single->revertValue,
                          single->deleteOnRevert}};
  if (auto* composite = dynamic_cast<CompositeRegTweak*>(&tweak)) return composite->entries;
  return {};
}

TEST(CoreTweaksWine, EveryRegistryTweakAppliesReadsBackAndReverts) {
  const TweakCatalog catalog = buildCatalog();
  const wchar_t* const ids[] = {
      L"perf.priorityseparation", L"perf.visualfx",        L"game.disable_gamedvr",   L"game.hwsch",
      L"game.gamemode",           L"priv.telemetry",       L"priv.advertising_id",    L"net.no_throttling",
      L"net.system_responsiveness", L"net.tcp_nodelay",    L"system.mouse_accel",     L"system.ntfs_lastaccess",
      L"system.long_paths",       L"system.show_ext",      L"cleanup.clear_recent",   L"cleanup.no_recent_jumplist"};
  for (const wchar_t* id : ids) {
    SCOPED_TRACE(toUtf8(id));
    const TweakPtr tweak = findById(catalog, id);
    ASSERT_NE(tweak, nullptr);
    const auto entries = entriesOf(*tweak);
    ASSERT_FALSE(entries.empty());

    ASSERT_TRUE(tweak->apply());
    for (const auto& e : entries) EXPECT_EQ(regReadDword(e.root, e.subkey, e.valueName), e.appliedValue) << toUtf8(e.valueName);
    EXPECT_EQ(tweak->queryState(), TweakState::Applied);

    ASSERT_TRUE(tweak->revert());
    for (const auto& e : entries) {
      const std::optional<std::uint32_t> expected =
          e.deleteOnRevert ? std::nullopt : std::optional<std::uint32_t>(e.revertValue);
      EXPECT_EQ(regReadDword(e.root, e.subkey, e.valueName), expected) << toUtf8(e.valueName);
    }
    EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  }
}

TEST(CoreTweaksWine, NoThrottlingReadsBackAllBitsSet) {
  const TweakPtr tweak = findById(buildCatalog(), L"net.no_throttling");
  ASSERT_NE(tweak, nullptr);
  ASSERT_TRUE(tweak->apply());
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine,
                         L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile",
                         L"NetworkThrottlingIndex"),
            0xFFFFFFFFu);
  EXPECT_TRUE(tweak->revert());
}

TEST(CoreTweaksWine, SpoolerIsDisabledAndSetBackToAutomatic) {
  const TweakPtr tweak = findById(buildCatalog(), L"system.spooler");
  ASSERT_NE(tweak, nullptr);
  const int original = serviceStartType(L"Spooler");
  ASSERT_GE(original, 0) << "Wine registers the Spooler service";

  EXPECT_TRUE(tweak->apply());
  EXPECT_EQ(serviceStartType(L"Spooler"), 4);
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak->revert());
  EXPECT_EQ(serviceStartType(L"Spooler"), 2);
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);

  EXPECT_TRUE(setServiceStartType(L"Spooler", static_cast<std::uint32_t>(original)));
}

TEST(CoreTweaksWine, ServicesWineLacksAreUnavailable) {
  const TweakCatalog catalog = buildCatalog();
  for (const wchar_t* id : {L"perf.sysmain", L"priv.diagtrack"}) {
    const TweakPtr tweak = findById(catalog, id);
    ASSERT_NE(tweak, nullptr);
    EXPECT_EQ(tweak->queryState(), TweakState::Unavailable) << toUtf8(id);
    EXPECT_FALSE(tweak->apply());
  }
}

}  // namespace
}  // namespace vx
