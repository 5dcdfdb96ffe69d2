// The process snapshot of the simulated machine: its list of running image names.
#include "platform/processes.h"

#include "platform/sim/machine_state.h"

namespace vx {

std::optional<std::vector<std::wstring>> processImageNames() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  if (m.state().readings.snapshotFails) return std::nullopt;
  return m.state().runningProcesses;
}

}  // namespace vx
