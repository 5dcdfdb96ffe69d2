// The simulated machine's write log: what the platform operations changed, in call order, while a
// test records. The operations call logWrite / logFileChange right after a change succeeded.
#include "platform/sim/machine_state.h"

namespace vx::sim {

void logWrite(Machine::State& state, Machine::Write write) {
  if (state.recordingWrites) state.writeLog.push_back(std::move(write));
}

void logFileChange(const std::wstring& windowsPath, bool removed) {
  auto& m = machine();
  std::lock_guard lock(m.mutex());
  Machine::Write write;
  write.kind = removed ? Machine::Write::Kind::FileRemoved : Machine::Write::Kind::FileWritten;
  write.target = windowsPath;
  logWrite(m.state(), std::move(write));
}

void Machine::recordWrites(bool on) {
  std::lock_guard lock(mutex_);
  state_->recordingWrites = on;
  state_->writeLog.clear();
}

std::vector<Machine::Write> Machine::writes() const {
  std::lock_guard lock(mutex_);
  return state_->writeLog;
}

}  // namespace vx::sim
