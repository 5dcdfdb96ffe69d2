// File security on the simulated machine: owners, whether ordinary users may write, and the hook
// that runs after a folder was listed. Windows keeps these descriptors; Wine keeps none.
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace fs = std::filesystem;

namespace {

const Machine::State::FileSecurity* nearestDescriptor(const Machine::State& s, fs::path host) {
  for (;;) {
    if (const auto it = s.security.find(host); it != s.security.end()) return &it->second;
    if (host == s.root || !host.has_relative_path() || host.parent_path() == host) return nullptr;
    host = host.parent_path();
  }
}

}  // namespace

void addDefaultFileSecurity(Machine::State& s) {
  // Users may create folders and files below ProgramData (CREATOR OWNER then has full control)
  // and folders in the Windows Temp folder.
  for (const wchar_t* folder : {L"C:\\ProgramData", L"C:\\Windows\\Temp"})
    s.security[mapWindowsPath(s.root, folder).lexically_normal()] = {Machine::kAdministratorsOwner, true};
}

void runListedHook(const std::wstring& windowsFolder) {
  std::function<void(const std::wstring&)> hook;
  {
    auto& m = machine();
    std::lock_guard lock(m.mutex());
    hook = m.state().listedHook;
  }
  if (hook) hook(windowsFolder);
}

void Machine::setFileSecurity(const std::wstring& windowsPath, const std::wstring& owner, bool usersCanWrite) {
  std::lock_guard lock(mutex_);
  const fs::path host = mapWindowsPath(state_->root, windowsPath).lexically_normal();
  if (!host.empty()) state_->security[host] = {owner, usersCanWrite};
}

std::wstring Machine::fileOwner(const std::wstring& windowsPath) const {
  std::lock_guard lock(mutex_);
  const auto it = state_->security.find(mapWindowsPath(state_->root, windowsPath).lexically_normal());
  return it == state_->security.end() ? kAdministratorsOwner : it->second.owner;
}

bool Machine::usersCanWrite(const std::wstring& windowsPath) const {
  std::lock_guard lock(mutex_);
  const auto* descriptor = nearestDescriptor(*state_, mapWindowsPath(state_->root, windowsPath).lexically_normal());
  return descriptor && descriptor->usersCanWrite;
}

void Machine::failSecurityChanges(bool fail) {
  std::lock_guard lock(mutex_);
  state_->securityChangesFail = fail;
}

void Machine::onFolderListed(std::function<void(const std::wstring& folder)> hook) {
  std::lock_guard lock(mutex_);
  state_->listedHook = std::move(hook);
}

}  // namespace vx::sim
