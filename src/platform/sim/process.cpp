// Child processes on the simulated machine: a table of programs keyed by executable path. A program
// runs in simulated time; one that outlives the caller's time-out keeps "running" and finishes
// when the clock passes its end (Machine::advanceMs).
#include "platform/process.h"

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace sim {

std::wstring commandLineExecutable(std::wstring_view commandLine) {
  if (!commandLine.empty() && commandLine.front() == L'"') {
    const std::size_t close = commandLine.find(L'"', 1);
    return std::wstring(commandLine.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1));
  }
  const std::size_t blank = commandLine.find_first_of(L" \t");
  return std::wstring(commandLine.substr(0, blank));
}

}  // namespace sim

namespace {

ChildExit runChild(const std::wstring& commandLine, std::uint32_t timeoutMs) {
  auto& m = sim::machine();
  sim::ProgramHandler handler;
  std::size_t startIndex = 0;
  {
    std::lock_guard lock(m.mutex());
    auto& s = m.state();
    auto it = s.programs.find(toLowerFolded(sim::commandLineExecutable(commandLine)));
    startIndex = s.started.size();
    s.started.push_back(sim::StartedProgram{commandLine, timeoutMs, it != s.programs.end(), false});
    if (it == s.programs.end()) return ChildExit::NotStarted;
    handler = it->second.handler;
    sim::Machine::Write write{sim::Machine::Write::Kind::ProgramStarted};
    write.target = commandLine;
    sim::logWrite(s, std::move(write));
  }

  sim::ProgramRun run = handler ? handler(commandLine) : sim::ProgramRun{};
  if (run.runMs <= timeoutMs) {
    m.advanceMs(run.runMs);
    if (run.effect) run.effect(m);
    std::lock_guard lock(m.mutex());
    auto& started = m.state().started;
    if (startIndex < started.size() && started[startIndex].commandLine == commandLine)
      started[startIndex].finishedInTime = true;
    return run.exitCode == 0 ? ChildExit::ExitedZero : ChildExit::ExitedNonZero;
  }
  {
    std::lock_guard lock(m.mutex());
    auto& s = m.state();
    s.pending.push_back(sim::PendingProgram{s.steadyNs + static_cast<std::int64_t>(run.runMs) * 1'000'000,
                                            s.startCounter++, std::move(run.effect)});
  }
  m.advanceMs(timeoutMs);  // the caller waited the whole time-out; the child keeps running
  return ChildExit::StillRunning;
}

}  // namespace

std::wstring systemToolPath(const std::wstring& exeName) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  const auto& folder = m.state().systemDir;
  if (!folder || folder->empty()) return {};
  return *folder + L"\\" + exeName;
}

ChildExit runHiddenProcess(const std::wstring& commandLine, std::uint32_t timeoutMs) {
  return runChild(commandLine, timeoutMs);
}

bool startHiddenProcess(const std::wstring& commandLine) { return runChild(commandLine, 0) != ChildExit::NotStarted; }

bool shellStartProgram(const std::wstring& exePath) {
  {
    auto& m = sim::machine();
    std::lock_guard lock(m.mutex());
    if (m.state().readings.shellStartsFail) return false;
  }
  if (runChild(L"\"" + exePath + L"\"", 0) == ChildExit::NotStarted) return false;
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  m.state().readings.shellStarted.push_back(exePath);
  return true;
}

bool startProgramDirectly(const std::wstring& exePath) {
  return runChild(L"\"" + exePath + L"\"", 0) != ChildExit::NotStarted;
}

bool runProgram(const std::wstring& exePath, const std::wstring& arguments, std::uint32_t timeoutMs) {
  return runChild(L"\"" + exePath + L"\" " + arguments, timeoutMs) == ChildExit::ExitedZero;
}

}  // namespace vx
