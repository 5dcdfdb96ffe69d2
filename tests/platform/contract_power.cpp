// What the power-scheme operations promise, on both backends: a scheme that was set successfully
// is the one read back. Wine answers PowerGetActiveScheme with an error and accepts every set, so
// there the read-back part has nothing to compare.
#include <gtest/gtest.h>

#include "platform/power.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(PowerContract, SchemeSetIsTheSchemeReadBack) {
  scene::reset();
  const auto before = activePowerScheme();
  for (const Guid& scheme : {kHighPerformanceScheme, kBalancedScheme}) {
    if (!setActivePowerScheme(scheme)) continue;  // a machine may lack the built-in scheme
    if (const auto now = activePowerScheme()) {
      EXPECT_EQ(*now, scheme);
    }
  }
  if (before) setActivePowerScheme(*before);  // leave a real machine as it was
}

}  // namespace
}  // namespace vx
