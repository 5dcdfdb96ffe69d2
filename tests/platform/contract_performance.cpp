// What the booster's and the monitor's platform operations promise, on both backends: the process
// snapshot lists this process, system times only grow, the timer resolution can be set and
// released, the ntdll services are found, a GPU counter that could not be added samples nothing,
// and the process's own CPU time grows with work.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"
#include "platform/performance.h"
#include "platform/processes.h"
#include "platform/scene.h"
#include "platform/system.h"

namespace vx {
namespace {

class PerformanceContract : public ::testing::Test {
 protected:
  void SetUp() override { scene::reset(); }
};

TEST_F(PerformanceContract, ProcessSnapshotListsThisProcessByItsImageName) {
  const std::wstring own = scene::ownProcessImageName();
  const auto names = processImageNames();
  ASSERT_TRUE(names.has_value());
  EXPECT_TRUE(std::any_of(names->begin(), names->end(), [&](const std::wstring& n) { return equalsFolded(n, own); }))
      << toUtf8(own) << " missing among " << names->size();
  for (const std::wstring& name : *names) EXPECT_EQ(name.find(L'\\'), std::wstring::npos) << "a file name, not a path";
}

TEST_F(PerformanceContract, SystemTimesNeverGoBackAndKernelIncludesIdle) {
  const auto first = systemTimes();
  ASSERT_TRUE(first.has_value());
  EXPECT_GT(first->kernel, 0u);
  EXPECT_GE(first->kernel, first->idle);
  scene::waitMs(50);
  const auto second = systemTimes();
  ASSERT_TRUE(second.has_value());
  EXPECT_GE(second->kernel, first->kernel);
  EXPECT_GE(second->user, first->user);
  EXPECT_GE(second->idle, first->idle);
}

TEST_F(PerformanceContract, MemoryLoadIsAPercentage) {
  const auto memory = memoryStatus();
  ASSERT_TRUE(memory.has_value());
  EXPECT_LE(memory->loadPercent, 100u);
}

TEST_F(PerformanceContract, TimerResolutionCanBeRequestedAndReleased) {
  ASSERT_TRUE(timerResolutionSupported());
  EXPECT_TRUE(requestTimerResolution(5000));
  EXPECT_TRUE(releaseTimerResolution());
  EXPECT_TRUE(standbyPurgeSupported()) << "NtSetSystemInformation is exported by every ntdll";
}

// Each instance is named after its process, adapter and engine; Wine has no GPU engine counter,
// so there the counter is not usable and names no instance.
TEST_F(PerformanceContract, GpuCounterNamesItsInstancesOnlyWhenItCouldBeAdded) {
  GpuEngineCounter counter;
  const auto instances = counter.sample();
  if (!counter.usable()) {
    EXPECT_FALSE(instances.has_value());
    return;
  }
  if (instances) {
    for (const GpuEngineSample& i : *instances) {
      EXPECT_GE(i.utilisation, 0.0) << toUtf8(i.instance);
      EXPECT_EQ(i.instance.rfind(L"pid_", 0), 0u) << toUtf8(i.instance);
      EXPECT_NE(i.instance.find(L"_luid_0x"), std::wstring::npos) << toUtf8(i.instance);
      EXPECT_NE(i.instance.find(L"_engtype_"), std::wstring::npos) << toUtf8(i.instance);
    }
  }
}

TEST_F(PerformanceContract, OwnCpuTimeGrowsWithWork) {
  const auto before = processCpuTime();
  ASSERT_TRUE(before.has_value());
  volatile std::uint64_t sink = 0;
  for (std::uint64_t i = 0; i < 200'000'000 && processCpuTime().value_or(0) < *before + 200'000; ++i) sink = sink + i;
  EXPECT_GE(processCpuTime().value_or(0), *before + 200'000) << "20 ms of work did not show";
}

}  // namespace
}  // namespace vx
