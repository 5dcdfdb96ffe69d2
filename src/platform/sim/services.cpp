// Service start types on the simulated machine's service table (names without regard to case).
#include "platform/services.h"

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace {

template <typename Fn>
auto withService(const std::wstring& name, Fn fn) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  auto& services = m.state().services;
  auto it = services.find(toLowerFolded(name));
  return fn(it == services.end() ? nullptr : &it->second, m.state());
}

}  // namespace

bool serviceExists(const std::wstring& name) {
  return withService(name, [](sim::SimService* service, auto&) { return service != nullptr; });
}

int serviceStartType(const std::wstring& name) {
  return withService(name, [](sim::SimService* service, auto&) {
    return service == nullptr || service->failQueries ? -1 : static_cast<int>(service->startType);
  });
}

bool setServiceStartType(const std::wstring& name, std::uint32_t startType) {
  return withService(name, [&name, startType](sim::SimService* service, sim::Machine::State& s) {
    // ChangeServiceConfigW refuses start types above 4 (disabled).
    if (service == nullptr || service->failChanges || startType > kServiceDisabled) return false;
    service->startType = startType;
    sim::Machine::Write write{sim::Machine::Write::Kind::ServiceStart};
    write.target = name;
    write.startType = startType;
    sim::logWrite(s, std::move(write));
    return true;
  });
}

bool stopService(const std::wstring& name) {
  return withService(name, [&name](sim::SimService* service, sim::Machine::State& s) {
    if (service == nullptr) return false;
    s.stopRequests.push_back(name);
    // ControlService answers ERROR_SERVICE_NOT_ACTIVE for a service that is not running.
    const bool wasRunning = service->running;
    service->running = false;
    return wasRunning;
  });
}

}  // namespace vx
