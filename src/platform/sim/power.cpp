// The power schemes of the simulated machine: the active one and the ones present.
#include "platform/power.h"

#include <algorithm>

#include "platform/sim/machine_state.h"

namespace vx {

std::optional<Guid> activePowerScheme() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().powerScheme;
}

bool setActivePowerScheme(const Guid& scheme) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  if (m.state().powerChangesFail) return false;
  // A scheme the machine does not have cannot be activated (Wine accepts any scheme). Microsoft
  // documents only "non-zero on failure"; a missing scheme is such a failure.
  const auto& present = m.state().powerSchemes;
  if (present && std::find(present->begin(), present->end(), scheme) == present->end()) return false;
  m.state().powerScheme = scheme;
  sim::Machine::Write write{sim::Machine::Write::Kind::PowerScheme};
  write.scheme = scheme;
  sim::logWrite(m.state(), std::move(write));
  return true;
}

std::optional<std::vector<Guid>> powerSchemes() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().powerSchemes;
}

}  // namespace vx
