// The resource monitor on the simulated machine, cycle by cycle: CPU from system-time deltas (one
// cycle later than RAM and GPU), histories capped at 60, the GPU value as the busiest engine
// summed over processes, invalid readings skipped, and start/stop/snapshot from several threads.
#include "services/resource_monitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

#include "services/load_readings.h"
#include "services/stepped_pause.h"
#include "support/sim_test.h"

namespace vx {
namespace {

std::vector<std::int32_t> range(std::int32_t first, std::int32_t last) {
  std::vector<std::int32_t> values(static_cast<std::size_t>(last - first + 1));
  std::iota(values.begin(), values.end(), first);
  return values;
}

// Cycle c (counted from 1) reads CPU c % 100 (from cycle 2 on), RAM c and GPU c: before each cycle
// after the first, the pause moves the machine's readings on.
class MonitorTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    times = SystemTimes{1'000'000, 2'000'000, 500'000};
    setCycleReadings(1);
  }

  void setCycleReadings(int cycle) {
    machine.setMemory(MemoryStatus{16ULL << 30, 8ULL << 30, static_cast<std::uint32_t>(cycle)});
    // Two processes share the 3D engine; the copy engine idles.
    machine.setGpuEngines(std::vector<GpuEngineSample>{
        {L"pid_100_luid_0x00000000_0x0000D1A2_phys_0_eng_0_engtype_3D", cycle / 2.0},
        {L"pid_100_luid_0x00000000_0x0000D1A2_phys_0_eng_3_engtype_Copy", 0.0},
        {L"pid_200_luid_0x00000000_0x0000D1A2_phys_0_eng_0_engtype_3D", cycle / 2.0}});
    // 100 units pass, of which 100 - c idle: a load of c %.
    times.kernel += 100;
    times.idle += static_cast<std::uint64_t>(100 - cycle % 100);
    machine.setSystemTimes(times);
  }

  LoopPause advancingPause() {
    return [this, inner = steps.pause()](std::uint32_t ms, const std::atomic<bool>& running) {
      setCycleReadings(++cycle + 1);
      inner(ms, running);
    };
  }

  SystemTimes times;
  int cycle = 0;  // written by the monitor's thread only, inside its pause
  test::SteppedPause steps;
};

TEST_F(MonitorTest, HistoriesHoldTheLast60AndCpuStartsOneCycleLater) {
  ResourceMonitor monitor(advancingPause());
  steps.allow(3);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(3));
  MonitorSnapshot s = monitor.snapshot();
  EXPECT_EQ(s.cpuHistory, range(2, 3)) << "the first cycle has no earlier reading";
  EXPECT_EQ(s.ramHistory, range(1, 3));
  EXPECT_EQ(s.gpuHistory, range(1, 3));
  EXPECT_EQ(s.cpuPercent, 3);

  steps.allow(61);
  ASSERT_TRUE(steps.waitForPauses(61));
  s = monitor.snapshot();
  EXPECT_EQ(s.ramHistory, range(2, 61)) << "the oldest entry is dropped";
  EXPECT_EQ(s.gpuHistory, range(2, 61));
  EXPECT_EQ(s.cpuHistory, range(2, 61));
  EXPECT_EQ(s.cpuPercent, 61);
  EXPECT_EQ(s.ramPercent, 61);
  EXPECT_EQ(s.gpuPercent, 61);

  steps.allow(62);
  ASSERT_TRUE(steps.waitForPauses(62));
  EXPECT_EQ(monitor.snapshot().cpuHistory, range(3, 62));
  EXPECT_EQ(steps.requestedMs().front(), 1000u);
}

TEST_F(MonitorTest, HistoriesSurviveStopAndCpuNeedsAFreshReadingAfterStart) {
  ResourceMonitor monitor(advancingPause());
  steps.allow(2);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(2));
  monitor.stop();
  EXPECT_FALSE(monitor.isRunning());
  EXPECT_EQ(monitor.snapshot().ramHistory, range(1, 2));

  steps.allow(3);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(3));
  const MonitorSnapshot s = monitor.snapshot();
  EXPECT_EQ(s.ramHistory, range(1, 3));
  EXPECT_EQ(s.cpuHistory, std::vector<std::int32_t>{2}) << "no CPU sample from the first cycle after a start";
}

TEST_F(MonitorTest, GpuIsTheBusiestEngineNotTheSumOfAllEngines) {
  machine.setGpuEngines(std::vector<GpuEngineSample>{
      {L"pid_4_luid_0x00000000_0x0000D1A2_phys_0_eng_0_engtype_3D", 40.0},
      {L"pid_4_luid_0x00000000_0x0000D1A2_phys_0_eng_3_engtype_Copy", 35.0},
      {L"pid_4_luid_0x00000000_0x0000D1A2_phys_0_eng_4_engtype_VideoDecode", 30.0}});
  ResourceMonitor monitor(steps.pause());
  steps.allow(1);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(1));
  EXPECT_EQ(monitor.snapshot().gpuPercent, 40);
}

TEST_F(MonitorTest, InvalidReadingsLeaveNoEntryButGpuIsAlwaysRecorded) {
  machine.setSystemTimes(std::nullopt);
  machine.setMemory(std::nullopt);
  machine.setGpuEngines(std::nullopt);  // the counter cannot be added, as under Wine
  ResourceMonitor monitor(steps.pause());
  steps.allow(2);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(2));
  const MonitorSnapshot s = monitor.snapshot();
  EXPECT_TRUE(s.cpuHistory.empty());
  EXPECT_TRUE(s.ramHistory.empty());
  EXPECT_EQ(s.gpuHistory, (std::vector<std::int32_t>{0, 0}));
  EXPECT_EQ(s.cpuPercent + s.ramPercent + s.gpuPercent, 0);
}

TEST(CpuLoadPercent, FromTwoSystemTimeReadings) {
  struct Case {
    SystemTimes previous, current;
    std::optional<std::int32_t> load;
  };
  const Case cases[] = {
      {{0, 0, 0}, {10, 100, 0}, std::nullopt},                  // no earlier reading
      {{50, 100, 20}, {50, 100, 20}, std::nullopt},             // no time passed
      {{50, 100, 20}, {150, 200, 20}, 0},                       // all idle
      {{50, 100, 20}, {50, 150, 70}, 100},                      // all busy
      {{0, 300, 0}, {200, 600, 0}, 33},                         // 100 of 300 busy, truncated
      {{0, 300, 0}, {0, 300, 300}, 100},                        // user time only
      {{100, 300, 0}, {90, 400, 0}, std::nullopt},              // idle went backwards
      {{0, 1'000'000'000'000, 0}, {10, 500, 0}, std::nullopt},  // kernel went backwards
      {{0, 100, 0}, {500, 200, 0}, 0},                          // more idle than time: 0, not 100
  };
  for (const Case& c : cases)
    EXPECT_EQ(cpuLoadPercent(c.previous, c.current), c.load)
        << c.previous.idle << "/" << c.previous.kernel << "/" << c.previous.user << " -> " << c.current.idle << "/"
        << c.current.kernel << "/" << c.current.user;
}

TEST(GpuLoadPercent, SumsEachEngineOverProcessesAndShowsTheBusiest) {
  // Two adapters (an integrated and a discrete GPU), each with 3D, copy and video engines.
  const std::wstring igpu = L"_luid_0x00000000_0x0000C3A5_phys_0_eng_";
  const std::wstring dgpu = L"_luid_0x00000000_0x0001D8E2_phys_0_eng_";
  const auto on = [](const std::wstring& pid, const std::wstring& adapter, const std::wstring& engine, double value) {
    return GpuEngineSample{L"pid_" + pid + adapter + engine, value};
  };
  struct Case {
    const char* what;
    std::vector<GpuEngineSample> instances;
    std::int32_t load;
  };
  const Case cases[] = {
      {"nothing", {}, 0},
      {"one engine, truncated", {on(L"8", dgpu, L"0_engtype_3D", 12.9)}, 12},
      {"one engine summed over three processes",
       {on(L"8", dgpu, L"0_engtype_3D", 20.0), on(L"12", dgpu, L"0_engtype_3D", 15.5),
        on(L"9000", dgpu, L"0_engtype_3D", 10.0), on(L"8", dgpu, L"3_engtype_Copy", 30.0)},
       45},
      {"engines of one adapter are not added",
       {on(L"8", dgpu, L"0_engtype_3D", 40.0), on(L"8", dgpu, L"3_engtype_Copy", 35.0),
        on(L"8", dgpu, L"4_engtype_VideoDecode", 30.0)},
       40},
      {"the same engine index on two adapters is two engines",
       {on(L"8", igpu, L"0_engtype_3D", 30.0), on(L"9", dgpu, L"0_engtype_3D", 25.0),
        on(L"10", igpu, L"4_engtype_VideoDecode", 12.0)},
       30},
      {"another physical index is another adapter",
       {on(L"8", L"_luid_0x00000000_0x0001D8E2_phys_0_eng_", L"0_engtype_3D", 30.0),
        on(L"9", L"_luid_0x00000000_0x0001D8E2_phys_1_eng_", L"0_engtype_3D", 30.0)},
       30},
      {"the busiest engine is clamped to 100",
       {on(L"1", dgpu, L"0_engtype_3D", 70.0), on(L"2", dgpu, L"0_engtype_3D", 60.0),
        on(L"3", dgpu, L"3_engtype_Copy", 10.0)},
       100},
      {"names that do not parse are ignored",
       {on(L"8", dgpu, L"0_engtype_3D", 20.0), {L"_Total", 90.0}, {L"pid_8_luid_0x0_phys_0_eng_0_engtype_3D", 90.0},
        {L"pid_x_luid_0x00000000_0x0001D8E2_phys_0_eng_0_engtype_3D", 90.0},
        {L"pid_8_luid_0x00000000_0x0001D8E2_phys_0_eng_0", 90.0}, {L"", 90.0}},
       20},
      {"negative and NaN values are left out",
       {on(L"8", dgpu, L"0_engtype_3D", -5.0), on(L"9", dgpu, L"0_engtype_3D", std::nan("")),
        on(L"10", dgpu, L"0_engtype_3D", 7.5)},
       7},
  };
  for (const Case& c : cases) EXPECT_EQ(gpuLoadPercent(c.instances), c.load) << c.what;
}

TEST(GpuLoadPercent, InstanceNamesParseIntoProcessAdapterAndEngine) {
  EXPECT_EQ(parseGpuEngineInstance(L"pid_15948_luid_0x00000000_0x0000D1A2_phys_0_eng_3_engtype_Copy"),
            (GpuEngineInstance{15948, 0, 0xD1A2, 0, 3, L"Copy"}));
  EXPECT_EQ(parseGpuEngineInstance(L"pid_4_luid_0x00000001_0x0000c3a5_phys_1_eng_12_engtype_Video Codec"),
            (GpuEngineInstance{4, 1, 0xC3A5, 1, 12, L"Video Codec"}));
  EXPECT_FALSE(parseGpuEngineInstance(L"pid_4_luid_0x100000000_0x0_phys_0_eng_0_engtype_3D"))
      << "LUID part over 32 bits";
  EXPECT_FALSE(parseGpuEngineInstance(L"pid_4_luid_00000000_0x0000C3A5_phys_0_eng_0_engtype_3D")) << "no 0x";
  EXPECT_FALSE(parseGpuEngineInstance(L"pid_4_luid_0x0_0x1_phys__eng_0_engtype_3D")) << "no physical index";
}

TEST_F(MonitorTest, StopDuringTheRealPauseReturnsWithinAboutASlice) {
  ResourceMonitor monitor;  // the one-second pause in 100 ms slices
  ASSERT_TRUE(monitor.start());
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const auto before = std::chrono::steady_clock::now();
  monitor.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(600));
  EXPECT_EQ(monitor.snapshot().ramHistory.size(), 1u);
}

TEST_F(MonitorTest, ThreadThatCannotBeCreatedLeavesTheMonitorStopped) {
  ResourceMonitor monitor(steps.pause(), [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  EXPECT_FALSE(monitor.start());
  EXPECT_FALSE(monitor.isRunning());
}

TEST_F(MonitorTest, ConcurrentStartStopAndSnapshots) {
  ResourceMonitor monitor(advancingPause());
  steps.allow(1'000'000);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&monitor, t] {
      for (int i = 0; i < 50; ++i) {
        if (t == 0) {
          if (i % 2 == 0) {
            EXPECT_TRUE(monitor.start());
          } else {
            monitor.stop();
          }
        }
        const MonitorSnapshot s = monitor.snapshot();
        EXPECT_LE(s.ramHistory.size(), ResourceMonitor::kHistoryLength);
        EXPECT_LE(s.cpuHistory.size(), s.ramHistory.size());
      }
    });
  }
  for (auto& thread : threads) thread.join();
  monitor.stop();
  EXPECT_EQ(&ResourceMonitor::instance(), &ResourceMonitor::instance());
}

}  // namespace
}  // namespace vx
