// The recycle bin of the simulated machine answers what the test set (S_OK by default).
#include "platform/recycle_bin.h"

#include "platform/sim/machine_state.h"

namespace vx {

std::int32_t emptyRecycleBins() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  ++m.state().readings.recycleBinCalls;
  return m.state().readings.recycleBinResult;
}

}  // namespace vx
