// The power-plan tweak under Wine, which cannot list power schemes (PowerEnumerate is not
// implemented there): without a list the tweak keeps the state it has without one.
#include <gtest/gtest.h>

#include "core/power_plan_tweak.h"
#include "platform/power.h"

namespace vx {
namespace {

TEST(PowerPlanUnderWine, SchemesCannotBeListedAndThePlanStaysAvailable) {
  EXPECT_FALSE(powerSchemes().has_value());
  HighPerformancePlanTweak tweak;
  EXPECT_NE(tweak.queryState(), TweakState::Unavailable);
  EXPECT_EQ(tweak.compatibilityNote(), L"");
}

}  // namespace
}  // namespace vx
