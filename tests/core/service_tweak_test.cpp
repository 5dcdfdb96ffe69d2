// The service start-type tweak on the simulated machine: a missing service is Unavailable and
// never touched, disabling stops the service first, and nothing else starts or stops it.
#include <gtest/gtest.h>

#include <memory>

#include "core/service_tweak.h"
#include "platform/services.h"
#include "support/registry_row.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::SimTest;

std::unique_ptr<test::TestServiceRow> makeTweak(const std::wstring& service, std::uint32_t applied,
                                                std::uint32_t revert = kServiceAutoStart) {
  return std::make_unique<test::TestServiceRow>(service, applied, revert);
}

using ServiceTweakTest = SimTest;

TEST_F(ServiceTweakTest, StateFollowsTheStartType) {
  struct Case {
    std::uint32_t configured;
    std::uint32_t applied;
    TweakState expected;
  };
  const Case cases[] = {
      {4, 4, TweakState::Applied},    {2, 4, TweakState::NotApplied}, {3, 4, TweakState::NotApplied},
      {3, 3, TweakState::Applied},    {4, 3, TweakState::NotApplied},
  };
  for (const Case& c : cases) {
    machine.addService(L"VxSvc", c.configured);
    EXPECT_EQ(makeTweak(L"VxSvc", c.applied)->queryState(), c.expected) << c.configured << " vs " << c.applied;
  }
  machine.failServiceQueries(L"VxSvc");
  EXPECT_EQ(makeTweak(L"VxSvc", 4)->queryState(), TweakState::Undetermined) << "start type unreadable";
  EXPECT_TRUE(machine.stopRequests().empty()) << "a query stopped the service";
}

TEST_F(ServiceTweakTest, MissingServiceIsUnavailableAndNeverTouched) {
  auto tweak = makeTweak(L"VxAbsent", kServiceDisabled);
  EXPECT_EQ(tweak->queryState(), TweakState::Unavailable);
  EXPECT_FALSE(tweak->apply());
  EXPECT_FALSE(tweak->revert());
  EXPECT_TRUE(machine.stopRequests().empty());
  EXPECT_FALSE(machine.serviceStart(L"VxAbsent").has_value());
}

TEST_F(ServiceTweakTest, DisablingStopsTheServiceFirst) {
  auto tweak = makeTweak(L"SysMain", kServiceDisabled);
  ASSERT_TRUE(machine.serviceRunning(L"SysMain"));
  ASSERT_TRUE(tweak->apply());
  EXPECT_EQ(machine.stopRequests(), std::vector<std::wstring>{L"SysMain"});
  EXPECT_FALSE(machine.serviceRunning(L"SysMain"));
  EXPECT_EQ(machine.serviceStart(L"SysMain"), 4u);
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);

  // Applying again: the stop fails (not running) but only the start-type change decides.
  EXPECT_TRUE(tweak->apply());
  EXPECT_EQ(machine.stopRequests().size(), 2u);
}

TEST_F(ServiceTweakTest, OtherStartTypesNeverStopAndRevertNeverStarts) {
  auto manual = makeTweak(L"SysMain", kServiceDemandStart);
  ASSERT_TRUE(manual->apply());
  EXPECT_TRUE(machine.stopRequests().empty());
  EXPECT_TRUE(machine.serviceRunning(L"SysMain"));
  EXPECT_EQ(machine.serviceStart(L"SysMain"), 3u);

  auto disable = makeTweak(L"DiagTrack", kServiceDisabled, kServiceAutoStart);
  ASSERT_TRUE(disable->apply());
  ASSERT_TRUE(disable->revert());
  EXPECT_EQ(machine.serviceStart(L"DiagTrack"), 2u);
  EXPECT_FALSE(machine.serviceRunning(L"DiagTrack")) << "revert only sets the start type";
  EXPECT_EQ(disable->queryState(), TweakState::NotApplied);
}

TEST_F(ServiceTweakTest, FailedStartTypeChangeFailsApplyAndRevert) {
  machine.failServiceChanges(L"Spooler");
  auto tweak = makeTweak(L"Spooler", kServiceDisabled);
  EXPECT_FALSE(tweak->apply());
  EXPECT_EQ(machine.stopRequests().size(), 1u) << "the stop was still asked for";
  EXPECT_EQ(machine.serviceStart(L"Spooler"), 2u);
  EXPECT_FALSE(tweak->revert());
}

}  // namespace
}  // namespace vx
