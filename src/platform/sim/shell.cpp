// The desktop shell on the simulated machine. Windows does this; Wine does not: a shell window
// exists while Explorer runs, the desktop's own route for opening things (IShellWindows and
// IShellDispatch2) answers only while it runs, and after a kill Windows may start it again by
// itself. Wine has no shell window at all. A drive path opens only when something exists there;
// anything else (a URI such as "ms-settings:display") always opens.
#include "platform/shell.h"

#include <filesystem>
#include <mutex>

#include "platform/sim/machine_state.h"

namespace vx {

namespace sim {

namespace {

// A shell that was killed comes back once its time has passed.
void settleShell(Machine::State& s) {
  auto& shell = s.shell;
  if (shell.window == 0 && shell.returnsAtNs && s.steadyNs >= *shell.returnsAtNs) {
    shell.window = ++shell.lastWindow;
    shell.returnsAtNs.reset();
  }
}

}  // namespace

void Machine::setShell(const ShellScene& scene) {
  std::lock_guard lock(mutex_);
  auto& shell = state_->shell;
  shell.window = scene.window ? ++shell.lastWindow : 0;
  shell.otherUser = scene.otherUser;
  shell.returnsAfterKillMs = scene.returnsAfterKillMs;
  shell.returnsAtNs.reset();
}

void Machine::killShell() {
  std::lock_guard lock(mutex_);
  auto& shell = state_->shell;
  shell.window = 0;
  shell.returnsAtNs.reset();
  if (shell.returnsAfterKillMs)
    shell.returnsAtNs = state_->steadyNs + static_cast<std::int64_t>(*shell.returnsAfterKillMs) * 1'000'000;
}

std::uint32_t Machine::shellUserChecks() const {
  std::lock_guard lock(mutex_);
  return state_->shell.userChecks;
}

void Machine::failShellProcessOpens(bool fail) {
  std::lock_guard lock(mutex_);
  state_->shell.processOpensFail = fail;
}

void Machine::failShellExecute(bool fail) {
  std::lock_guard lock(mutex_);
  state_->shell.executeFails = fail;
}

std::vector<Machine::ShellOpen> Machine::shellOpens() const {
  std::lock_guard lock(mutex_);
  return state_->shell.opens;
}

}  // namespace sim

bool shellOpen(const std::wstring& target) {
  auto& m = sim::machine();
  std::filesystem::path host;
  bool viaShellProcess = false, viaThisProcess = false;
  {
    std::lock_guard lock(m.mutex());
    auto& s = m.state();
    sim::settleShell(s);
    s.shellOpened.push_back(target);
    host = sim::mapWindowsPath(s.root, target);
    viaShellProcess = s.shell.window != 0 && !s.shell.processOpensFail;
    viaThisProcess = !s.shell.executeFails;
  }
  std::error_code ec;
  const bool exists = host.empty() || std::filesystem::exists(host, ec);
  if (!exists) return false;
  if (!viaShellProcess && !viaThisProcess) return false;
  std::lock_guard lock(m.mutex());
  m.state().shell.opens.push_back(
      {target, viaShellProcess ? sim::Machine::OpenRoute::ShellProcess : sim::Machine::OpenRoute::ThisProcess});
  sim::Machine::Write write{sim::Machine::Write::Kind::ShellOpened};
  write.target = target;
  sim::logWrite(m.state(), std::move(write));
  return true;
}

std::uint64_t shellWindow() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  sim::settleShell(m.state());
  return m.state().shell.window;
}

bool shellRunsAsAnotherUser() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  auto& s = m.state();
  sim::settleShell(s);
  ++s.shell.userChecks;
  return s.shell.window != 0 && s.shell.otherUser;
}

}  // namespace vx
