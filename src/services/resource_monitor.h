// The resource monitor: one background thread that samples CPU, RAM and GPU load about once a
// second and keeps the last 60 values of each. The window starts the process-wide instance when it
// is created and stops it when it is destroyed; the home page paints from snapshot(); vxctl
// monitor prints the samples.
#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "services/background_worker.h"

namespace vx {

struct MonitorSnapshot {
  std::int32_t cpuPercent = 0;
  std::int32_t gpuPercent = 0;
  std::int32_t ramPercent = 0;
  std::vector<std::int32_t> cpuHistory;  // oldest first, at most 60
  std::vector<std::int32_t> gpuHistory;
  std::vector<std::int32_t> ramHistory;
};

class ResourceMonitor {
 public:
  static constexpr std::size_t kHistoryLength = 60;
  static constexpr std::uint32_t kPeriodMs = 1000;

  explicit ResourceMonitor(LoopPause pause = pauseInSlices, ThreadStarter starter = {}, std::uint32_t periodMs = kPeriodMs);

  // The process-wide monitor, created on first use and never destroyed.
  static ResourceMonitor& instance();

  // False only when the thread cannot be created (the monitor is then not running); true and
  // nothing else when it already runs. The histories are kept across stop and start.
  bool start();
  void stop();
  bool isRunning() const { return worker_.isRunning(); }

  MonitorSnapshot snapshot() const;

 private:
  void run();
  // One cycle's values; an invalid CPU or RAM sample leaves its value and history alone.
  void record(std::optional<std::int32_t> cpu, std::optional<std::int32_t> ram, std::int32_t gpu);

  const LoopPause pause_;
  const std::uint32_t periodMs_;
  mutable std::mutex mutex_;  // guards latest_
  MonitorSnapshot latest_;
  BackgroundWorker worker_;  // last: joined before the values above go away
};

}  // namespace vx
