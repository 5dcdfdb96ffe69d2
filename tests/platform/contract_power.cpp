// What the power-scheme operations promise, on both backends: a scheme that was set successfully
// is the one read back, and the schemes listed hold Balanced once. Wine answers
// PowerGetActiveScheme with an error and accepts every set, so there the read-back part has
// nothing to compare.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/power.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(PowerContract, SchemeSetIsTheSchemeReadBack) {
  scene::reset();
  const auto before = activePowerScheme();
  // Balanced exists on every machine (Wine accepts any scheme), so setting it must work; High
  // performance is missing on some laptops, so a refusal there is allowed.
  ASSERT_TRUE(setActivePowerScheme(kBalancedScheme));
  for (const Guid& scheme : {kHighPerformanceScheme, kBalancedScheme}) {
    if (!setActivePowerScheme(scheme)) {
      EXPECT_EQ(scheme, kHighPerformanceScheme) << "only High performance may be refused";
      continue;
    }
    const auto now = activePowerScheme();
    if (!now) {
      // Wine cannot read the active scheme at all; then it could not before either.
      EXPECT_FALSE(before.has_value()) << "the scheme was readable before the set";
      continue;
    }
    EXPECT_EQ(*now, scheme);
  }
  if (before) setActivePowerScheme(*before);  // leave a real machine as it was
}

// PowerEnumerate lists every scheme once, Balanced (on every Windows) and the active one among
// them; or it fails as a whole, which is what Wine answers.
TEST(PowerContract, SchemesListedHoldBalancedAndTheActiveSchemeOnce) {
  scene::reset();
  const auto schemes = powerSchemes();
  if (!schemes) {
#ifdef _WIN32
    SUCCEED() << "PowerEnumerate failed (Wine does not implement it)";
    return;
#else
    FAIL() << "the simulated machine lists its schemes";
#endif
  }
  const auto count = [&](const Guid& g) { return std::count(schemes->begin(), schemes->end(), g); };
  EXPECT_EQ(count(kBalancedScheme), 1);
  for (const Guid& g : *schemes) EXPECT_EQ(count(g), 1);
  if (const auto active = activePowerScheme()) {
    EXPECT_EQ(count(*active), 1);
  }
}

}  // namespace
}  // namespace vx
