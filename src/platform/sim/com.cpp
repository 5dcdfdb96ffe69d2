// COM set-up on the simulated machine: nothing to initialise, so it records the model of the
// first call and the number of calls, for tests that check the program sets COM up at start.
#include "platform/com.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace sim {

std::optional<ComModel> Machine::processComModel() const {
  std::lock_guard lock(mutex_);
  return state_->com.model;
}

std::uint32_t Machine::processComCalls() const {
  std::lock_guard lock(mutex_);
  return state_->com.calls;
}

}  // namespace sim

bool initialiseProcessCom(ComModel model) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  auto& com = m.state().com;
  ++com.calls;
  if (!com.model) com.model = model;
  return true;
}

}  // namespace vx
