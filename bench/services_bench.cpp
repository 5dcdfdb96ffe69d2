// Cost of the background services: one booster period and one monitor cycle, each next to a bare
// loop of the platform calls it makes (process snapshot and memory status; system times, memory
// status and the GPU counter), and the CPU both loops burn together while idle, measured with the
// process's own CPU times. Natively the calls hit the simulated machine, under Wine the real ones.
// Usage: vx_services_bench [--idle-seconds N]   (default 20; 0 skips the idle measurement)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench_compare.h"
#include "platform/performance.h"
#include "platform/processes.h"
#include "platform/system.h"
#include "services/booster_engine.h"
#include "services/resource_monitor.h"
#ifndef _WIN32
#include "platform/sim/machine.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;
using vx::bench::keep;
using vx::bench::kRounds;
using vx::bench::median;
constexpr int kPeriodsPerRound = 200;

// Runs the engine's loop with a pause that returns at once and returns the time per period,
// measured on the loop's thread from the end of its first period to the end of period 1 + N (so
// thread start and join are left out); the pause then stops the loop.
template <typename Engine, typename... Args>
double loopNsPerPeriod(Args... args) {
  int pauses = 0;
  Clock::time_point first, last;
  Engine* self = nullptr;
  Engine engine(args..., [&](std::uint32_t, const std::atomic<bool>&) {
    ++pauses;
    if (pauses == 1) first = Clock::now();
    if (pauses == kPeriodsPerRound + 1) {
      last = Clock::now();
      self->stop();
    }
  });
  self = &engine;
  engine.start();
  while (engine.isRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  engine.stop();  // joins, so first and last are visible here
  return std::chrono::duration<double, std::nano>(last - first).count() / kPeriodsPerRound;
}

double bareNsPerPeriod(const std::function<void()>& calls) {
  const auto start = Clock::now();
  for (int i = 0; i < kPeriodsPerRound; ++i) calls();
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kPeriodsPerRound;
}

// As bench::compare, for subjects that time themselves and return nanoseconds per period.
void compareTimed(const char* name, const std::function<double()>& subject, const char* baselineName,
             const std::function<double()>& baseline) {
  std::vector<double> s, b;
  subject();
  baseline();  // warm-up: first loads of DLLs and caches
  for (int r = 0; r < kRounds; ++r) {
    s.push_back(subject());
    b.push_back(baseline());
  }
  const double ms = median(s), mb = median(b);
  std::printf("%-36s %10.2f us   %-44s %10.2f us   ratio %5.2f\n", name, ms / 1000, baselineName, mb / 1000, ms / mb);
}

void bareBoosterCalls() {
  if (const auto names = vx::processImageNames()) keep(names->size());
  if (const auto memory = vx::memoryStatus()) keep(memory->loadPercent);
}

void measureIdle(int seconds) {
  vx::BoosterEngine::instance().start();
  vx::ResourceMonitor::instance().start();
  const auto cpuBefore = vx::processCpuTime();
  const auto wallBefore = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const auto cpuAfter = vx::processCpuTime();
  const double wall100ns = std::chrono::duration<double, std::ratio<1, 10'000'000>>(Clock::now() - wallBefore).count();
  vx::BoosterEngine::instance().stop();
  vx::ResourceMonitor::instance().stop();
  if (!cpuBefore || !cpuAfter) {
    std::printf("idle: process CPU time could not be read\n");
    return;
  }
  const double spent = static_cast<double>(*cpuAfter - *cpuBefore);
  std::printf("idle booster + monitor over %d s: %.3f ms CPU = %.3f %% of one core (goal <= 0.5 %%)\n", seconds,
              spent / 10'000, 100.0 * spent / wall100ns);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  const auto isOption = [](const wchar_t* arg) { return std::wcscmp(arg, L"--idle-seconds") == 0; };
  const auto number = [](const wchar_t* arg) { return static_cast<int>(std::wcstol(arg, nullptr, 10)); };
#else
int main(int argc, char** argv) {
  const auto isOption = [](const char* arg) { return std::strcmp(arg, "--idle-seconds") == 0; };
  const auto number = [](const char* arg) { return std::atoi(arg); };
#endif
  int idleSeconds = 20;
  for (int i = 1; i + 1 < argc; ++i)
    if (isOption(argv[i])) idleSeconds = number(argv[i + 1]);
#ifndef _WIN32
  // A desktop with a realistic process list and a GPU with a dozen engines.
  vx::sim::Machine& m = vx::sim::machine();
  m.reset();
  std::vector<std::wstring> processes;
  for (int i = 0; i < 150; ++i) processes.push_back(L"process" + std::to_wstring(i) + L".exe");
  m.setRunningProcesses(processes);
  std::vector<vx::GpuEngineSample> engines;
  for (int e = 0; e < 12; ++e)
    engines.push_back({L"pid_4_luid_0x00000000_0x0000D1A2_phys_0_eng_" + std::to_wstring(e) + L"_engtype_3D", 3.5});
  m.setGpuEngines(engines);
#endif
  vx::GpuEngineCounter bareCounter;
  compareTimed("booster period (engine loop)", [] { return loopNsPerPeriod<vx::BoosterEngine>(vx::BoosterSettings{}); },
          "bare snapshot + memory status", [] { return bareNsPerPeriod(bareBoosterCalls); });
  compareTimed("monitor cycle (engine loop)", [] { return loopNsPerPeriod<vx::ResourceMonitor>(); },
          "bare system times + memory + GPU sample", [&] {
            return bareNsPerPeriod([&] {
              if (const auto t = vx::systemTimes()) keep(static_cast<std::size_t>(t->idle));
              if (const auto memory = vx::memoryStatus()) keep(memory->loadPercent);
              if (bareCounter.usable()) {
                if (const auto v = bareCounter.sample()) keep(v->size());
              }
            });
          });
  if (idleSeconds > 0) measureIdle(idleSeconds);
  return 0;
}
