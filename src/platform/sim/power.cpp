// The active power scheme of the simulated machine.
#include "platform/power.h"

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
  m.state().powerScheme = scheme;
  return true;
}

}  // namespace vx
