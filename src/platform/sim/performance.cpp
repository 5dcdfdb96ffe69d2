// Load readings and ntdll timing services of the simulated machine: the values a test set, and a
// record of the timer resolution held and of the purges asked for.
#include "platform/performance.h"

#include <ctime>

#include "platform/sim/machine_state.h"

namespace vx {

namespace {

template <typename Fn>
auto withReadings(Fn fn) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return fn(m.state().readings);
}

}  // namespace

std::optional<SystemTimes> systemTimes() {
  return withReadings([](auto& r) { return r.systemTimes; });
}

// The host process's own CPU time: the simulated machine has no processes of its own to measure.
std::optional<std::uint64_t> processCpuTime() {
  timespec spent{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(spent.tv_sec) * 10'000'000 + static_cast<std::uint64_t>(spent.tv_nsec) / 100;
}

bool timerResolutionSupported() {
  return withReadings([](auto& r) { return r.timerFunctionPresent; });
}

bool requestTimerResolution(std::uint32_t hundredNanoseconds) {
  return withReadings([hundredNanoseconds](auto& r) {
    if (!r.timerFunctionPresent) return false;
    ++r.timerCalls;
    if (r.timerRequestsFail) return false;
    r.heldResolution = hundredNanoseconds;
    return true;
  });
}

// Windows answers 0 also when this process held no request.
bool releaseTimerResolution() {
  return withReadings([](auto& r) {
    if (!r.timerFunctionPresent) return false;
    ++r.timerCalls;
    r.heldResolution = 0;
    return true;
  });
}

bool standbyPurgeSupported() {
  return withReadings([](auto& r) { return r.purgeFunctionPresent; });
}

// Windows refuses the purge (STATUS_PRIVILEGE_NOT_HELD) unless SeProfileSingleProcessPrivilege is
// enabled in the process token; Wine does not, it purges for anyone.
bool purgeStandbyList() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  auto& s = m.state();
  if (!s.readings.purgeFunctionPresent) return false;
  ++s.readings.purgeCalls;
  if (s.token.enabled.count(Privilege::ProfileSingleProcess) == 0) return false;
  return !s.readings.purgesFail;
}

bool keepTimerRequestsWhenHidden() {
  return withReadings([](auto& r) {
    ++r.throttlingOptOuts;
    return true;
  });
}

// The simulated counter remembers only whether it could be added; every sample reads the
// machine's current engine values.
struct GpuEngineCounter::Query {
  bool added = false;
};

GpuEngineCounter::GpuEngineCounter() : query_(std::make_unique<Query>()) {
  query_->added = withReadings([](auto& r) { return r.gpuEngines.has_value(); });
}

GpuEngineCounter::~GpuEngineCounter() = default;

bool GpuEngineCounter::usable() const { return query_->added; }

std::optional<std::vector<GpuEngineSample>> GpuEngineCounter::sample() {
  if (!query_->added) return std::nullopt;
  return withReadings([](auto& r) { return r.gpuEngines; });
}

}  // namespace vx
