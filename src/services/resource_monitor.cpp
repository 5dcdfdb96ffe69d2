#include "services/resource_monitor.h"

#include <algorithm>

#include "base/process_wide.h"
#include "platform/performance.h"
#include "platform/system.h"
#include "services/load_readings.h"

namespace vx {

namespace {

void appendCapped(std::vector<std::int32_t>& history, std::int32_t value) {
  history.push_back(value);
  if (history.size() > ResourceMonitor::kHistoryLength) history.erase(history.begin());
}

}  // namespace

ResourceMonitor::ResourceMonitor(LoopPause pause, ThreadStarter starter, std::uint32_t periodMs)
    : pause_(pause ? std::move(pause) : LoopPause(pauseInSlices)), periodMs_(periodMs), worker_(std::move(starter)) {}

ResourceMonitor& ResourceMonitor::instance() { return processWide<ResourceMonitor>(); }

bool ResourceMonitor::start() {
  return worker_.start([this] { run(); });
}

void ResourceMonitor::stop() { worker_.stop(); }

MonitorSnapshot ResourceMonitor::snapshot() const {
  std::lock_guard lock(mutex_);
  return latest_;
}

void ResourceMonitor::record(std::optional<std::int32_t> cpu, std::optional<std::int32_t> ram, std::int32_t gpu) {
  std::lock_guard lock(mutex_);
  if (cpu) {
    appendCapped(latest_.cpuHistory, *cpu);
    latest_.cpuPercent = *cpu;
  }
  if (ram) {
    appendCapped(latest_.ramHistory, *ram);
    latest_.ramPercent = *ram;
  }
  appendCapped(latest_.gpuHistory, gpu);
  latest_.gpuPercent = gpu;
}

void ResourceMonitor::run() {
  GpuEngineCounter gpuCounter;  // opened and primed once; closed when the loop ends
  const std::atomic<bool>& running = worker_.running();
  std::optional<SystemTimes> previous;
  while (running.load()) {
    // The system calls happen outside the lock; only the append takes it.
    const std::optional<SystemTimes> current = systemTimes();
    std::optional<std::int32_t> cpu;
    if (previous && current) cpu = cpuLoadPercent(*previous, *current);
    previous = current;

    std::optional<std::int32_t> ram;
    if (const auto memory = memoryStatus()) ram = static_cast<std::int32_t>(std::min<std::uint32_t>(memory->loadPercent, 100));

    std::int32_t gpu = 0;
    if (gpuCounter.usable())
      if (const auto engines = gpuCounter.sample()) gpu = gpuLoadPercent(*engines);

    record(cpu, ram, gpu);
    pause_(periodMs_, running);
  }
}

}  // namespace vx
