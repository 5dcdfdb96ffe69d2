// The High performance plan tweak on the simulated machine: the active scheme decides the state,
// revert always activates Balanced, and a failing power call is a failure.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "core/power_plan_tweak.h"
#include "platform/power.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::SimTest;

// Windows' Power saver scheme: a third plan the tweak knows nothing about.
constexpr Guid kPowerSaver = makeGuid(0xa1841308, 0x3541, 0x4fab, {0xbc, 0x81, 0xf7, 0x15, 0x56, 0xf2, 0x0b, 0x4a});

TEST(PowerSchemeGuids, AreStoredInWindowsMemoryOrder) {
  // 8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c: Data1..Data3 little-endian, then Data4 as written.
  EXPECT_EQ(kHighPerformanceScheme.bytes, (std::array<std::uint8_t, 16>{0xda, 0x7f, 0x5e, 0x8c, 0xbf, 0xe8, 0x96, 0x4a,
                                                                        0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c}));
  // 381b4222-f694-41f0-9685-ff5bb260df2e
  EXPECT_EQ(kBalancedScheme.bytes, (std::array<std::uint8_t, 16>{0x22, 0x42, 0x1b, 0x38, 0x94, 0xf6, 0xf0, 0x41, 0x96,
                                                                 0x85, 0xff, 0x5b, 0xb2, 0x60, 0xdf, 0x2e}));
}

using PowerPlanTweakTest = SimTest;

TEST_F(PowerPlanTweakTest, ActiveSchemeDecidesTheState) {
  struct Case {
    std::optional<Guid> active;
    TweakState expected;
  };
  const Case cases[] = {
      {kHighPerformanceScheme, TweakState::Applied},
      {kBalancedScheme, TweakState::NotApplied},
      {kPowerSaver, TweakState::NotApplied},
      {std::nullopt, TweakState::Undetermined},  // the scheme cannot be read
  };
  HighPerformancePlanTweak tweak;
  for (const Case& c : cases) {
    machine.setActivePowerScheme(c.active);
    EXPECT_EQ(tweak.queryState(), c.expected);
  }
}

TEST_F(PowerPlanTweakTest, ApplyActivatesHighPerformanceAndRevertAlwaysBalanced) {
  HighPerformancePlanTweak tweak;
  machine.setActivePowerScheme(kPowerSaver);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(machine.activePowerScheme(), kHighPerformanceScheme);
  ASSERT_TRUE(tweak.revert());
  EXPECT_EQ(machine.activePowerScheme(), kBalancedScheme) << "the earlier plan is not remembered";
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(PowerPlanTweakTest, FailingPowerCallIsAFailure) {
  HighPerformancePlanTweak tweak;
  machine.failPowerSchemeChanges();
  EXPECT_FALSE(tweak.apply());
  EXPECT_FALSE(tweak.revert());
  EXPECT_EQ(machine.activePowerScheme(), kBalancedScheme);
}

// A Modern Standby laptop with only Balanced has no plan to switch to: the card is unavailable
// with its note. When the schemes cannot be listed at all (Wine) nothing changes.
TEST_F(PowerPlanTweakTest, MissingHighPerformancePlanMakesTheTweakUnavailable) {
  struct Case {
    const char* scene;
    std::optional<std::vector<Guid>> schemes;
    TweakState expected;
    const wchar_t* note;
  };
  const Case cases[] = {
      {"laptop with only Balanced", std::vector<Guid>{kBalancedScheme}, TweakState::Unavailable,
       L"В системе нет плана «Высокая производительность»"},
      {"stock desktop", std::vector<Guid>{kBalancedScheme, kHighPerformanceScheme, kPowerSaver},
       TweakState::NotApplied, L""},
      {"schemes cannot be listed", std::nullopt, TweakState::NotApplied, L""},
  };
  HighPerformancePlanTweak tweak;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scene);
    machine.setPowerSchemes(c.schemes);
    machine.setActivePowerScheme(kBalancedScheme);
    EXPECT_EQ(tweak.queryState(), c.expected);
    EXPECT_EQ(tweak.compatibilityNote(), c.note);
    EXPECT_EQ(tweak.apply(), c.expected != TweakState::Unavailable);
  }
}

}  // namespace
}  // namespace vx
