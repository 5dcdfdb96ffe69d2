// The simulated process token: elevation and enabled privileges. Windows gives an elevated
// administrator's token these privileges disabled and refuses to enable them in a standard
// user's token (AdjustTokenPrivileges then reports ERROR_NOT_ALL_ASSIGNED); Wine runs every process
// elevated and grants everything, so only this model shows the refusal.
#include "platform/privileges.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace sim {

void Machine::setElevated(bool elevated) {
  std::lock_guard lock(mutex_);
  state_->token.elevated = elevated;
  if (!elevated) state_->token.enabled.clear();
}

void Machine::withholdPrivilege(Privilege privilege) {
  std::lock_guard lock(mutex_);
  state_->token.withheld.insert(privilege);
  state_->token.enabled.erase(privilege);
}

bool Machine::privilegeEnabled(Privilege privilege) const {
  std::lock_guard lock(mutex_);
  return state_->token.enabled.count(privilege) != 0;
}

}  // namespace sim

bool processIsElevated() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().token.elevated;
}

bool enablePrivilege(Privilege privilege) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  auto& token = m.state().token;
  if (!token.elevated || token.withheld.count(privilege) != 0) return false;
  token.enabled.insert(privilege);
  return true;
}

}  // namespace vx
