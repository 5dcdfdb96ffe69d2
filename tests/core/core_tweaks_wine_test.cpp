// The core catalogue against the real registry and Service Control Manager under Wine: every
// registry tweak writes the values of the independent table, reads back and reverts; the Spooler tweak disables and restores the
// service's start type (its original start type is put back afterwards).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "base/text.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "support/core_registry_rows.h"

namespace vx {
namespace {

// The expected values come from a table of their own, not from the tweaks' fields, so a wrong
// value in the catalogue fails here against the real registry too.
TEST(CoreTweaksWine, EveryRegistryTweakAppliesReadsBackAndReverts) {
  const TweakCatalog catalog = buildCatalog();
  for (const auto& row : test::coreRegistryRows()) {
    SCOPED_TRACE(toUtf8(row.id));
    const TweakPtr tweak = findById(catalog, row.id);
    ASSERT_NE(tweak, nullptr);

    ASSERT_TRUE(tweak->apply());
    for (const auto& v : row.values) EXPECT_EQ(test::registryValueText(v.root, v.key, v.name), v.applied) << toUtf8(v.name);
    EXPECT_EQ(tweak->queryState(), TweakState::Applied);

    ASSERT_TRUE(tweak->revert());
    for (const auto& v : row.values)
      EXPECT_EQ(test::registryValueText(v.root, v.key, v.name), v.afterRevert) << toUtf8(v.name);
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
