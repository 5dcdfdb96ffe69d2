// The hook that sees every file change on the simulated machine before it is made, and the
// killed process it can stand for: a test stops an edit between any two of its writes.
#include <atomic>
#include <memory>

#include "platform/sim/machine_state.h"

namespace vx::sim {

bool fileChangeAllowed(const std::wstring& windowsPath) {
  std::function<bool(const std::wstring&)> hook;
  {
    auto& m = machine();
    std::lock_guard lock(m.mutex());
    hook = m.state().fileChangeHook;
  }
  return !hook || hook(windowsPath);
}

void Machine::onFileChange(FileChangeHook hook) {
  std::lock_guard lock(mutex_);
  state_->fileChangeHook = std::move(hook);
}

Machine::FileChangeHook Machine::killedAfterFileChanges(std::uint32_t changes) {
  auto left = std::make_shared<std::atomic<std::int64_t>>(changes);
  return [left](const std::wstring&) { return left->fetch_sub(1) > 0; };
}

}  // namespace vx::sim
