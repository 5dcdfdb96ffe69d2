// Load readings and ntdll timing services of the simulated machine: the values a test set, and a
// record of the timer resolution held and of the purges asked for.
#include "platform/performance.h"

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

bool purgeStandbyList() {
  return withReadings([](auto& r) {
    if (!r.purgeFunctionPresent) return false;
    ++r.purgeCalls;
    return !r.purgesFail;
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

std::optional<std::vector<double>> GpuEngineCounter::sample() {
  if (!query_->added) return std::nullopt;
  return withReadings([](auto& r) { return r.gpuEngines; });
}

}  // namespace vx
