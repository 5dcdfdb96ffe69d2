// The simulated machine's control API for the booster, the monitor and the maintenance actions:
// process snapshot, system times, GPU engines, ntdll timer and purge services, recycle bin, shell
// starts, locked and read-only files, the console's Ctrl+C.
#include <algorithm>
#include <system_error>

#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

}  // namespace

void Machine::failProcessSnapshot(bool fail) {
  std::lock_guard lock(mutex_);
  state_->readings.snapshotFails = fail;
}

void Machine::setSystemTimes(std::optional<SystemTimes> times) {
  std::lock_guard lock(mutex_);
  state_->readings.systemTimes = times;
}

void Machine::setGpuEngines(std::optional<std::vector<GpuEngineSample>> instances) {
  std::lock_guard lock(mutex_);
  state_->readings.gpuEngines = std::move(instances);
}

void Machine::setNtFunctionsPresent(bool timerResolution, bool standbyPurge) {
  std::lock_guard lock(mutex_);
  state_->readings.timerFunctionPresent = timerResolution;
  state_->readings.purgeFunctionPresent = standbyPurge;
}

void Machine::failTimerRequests(bool fail) {
  std::lock_guard lock(mutex_);
  state_->readings.timerRequestsFail = fail;
}

void Machine::failStandbyPurges(bool fail) {
  std::lock_guard lock(mutex_);
  state_->readings.purgesFail = fail;
}

std::uint32_t Machine::heldTimerResolution() const {
  std::lock_guard lock(mutex_);
  return state_->readings.heldResolution;
}

std::uint32_t Machine::timerRequestCalls() const {
  std::lock_guard lock(mutex_);
  return state_->readings.timerCalls;
}

std::uint32_t Machine::standbyPurgeCalls() const {
  std::lock_guard lock(mutex_);
  return state_->readings.purgeCalls;
}

void Machine::setRecycleBinResult(std::int32_t hresult) {
  std::lock_guard lock(mutex_);
  state_->readings.recycleBinResult = hresult;
}

std::uint32_t Machine::recycleBinCalls() const {
  std::lock_guard lock(mutex_);
  return state_->readings.recycleBinCalls;
}

void Machine::failShellStarts(bool fail) {
  std::lock_guard lock(mutex_);
  state_->readings.shellStartsFail = fail;
}

std::vector<std::wstring> Machine::shellStartedPrograms() const {
  std::lock_guard lock(mutex_);
  return state_->readings.shellStarted;
}

void Machine::lockFile(const std::wstring& windowsPath, bool locked) {
  const fs::path host = hostPath(windowsPath).lexically_normal();
  std::lock_guard lock(mutex_);
  auto& files = state_->readings.lockedFiles;
  files.erase(std::remove(files.begin(), files.end(), host), files.end());
  if (locked) files.push_back(host);
}

void Machine::setReadOnly(const std::wstring& windowsPath, bool readOnly) {
  std::error_code ec;
  fs::permissions(hostPath(windowsPath), kWriteBits, readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
}

bool Machine::isReadOnly(const std::wstring& windowsPath) const {
  std::error_code ec;
  const auto status = fs::status(hostPath(windowsPath), ec);
  return !ec && status.type() == fs::file_type::regular && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

void Machine::interruptConsole() {
  std::lock_guard lock(mutex_);
  state_->readings.consoleInterrupted = true;
}

}  // namespace vx::sim
