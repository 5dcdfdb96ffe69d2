#include "core/user_account.h"

#include <atomic>
#include <mutex>

#include "base/process_wide.h"
#include "base/text.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace vx {

namespace {

// -1 while undecided, then 0 (the desktop's own account) or 1 (another account). Every state
// query reads it, so the decided case is one atomic load; the mutex only keeps the first decision
// from being taken twice.
struct AccountDecision {
  std::mutex mutex;
  std::atomic<int> anotherAccount{-1};
};

AccountDecision& decision() { return processWide<AccountDecision>(); }

bool isBelow(const std::wstring& path, std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty() || path.size() < folder.size()) return false;
  if (!equalsFolded(std::wstring_view(path).substr(0, folder.size()), folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\' || path[folder.size()] == L'/';
}

}  // namespace

bool runsAsAnotherAccount() {
  AccountDecision& d = decision();
  int decided = d.anotherAccount.load(std::memory_order_acquire);
  if (decided >= 0) return decided == 1;
  std::lock_guard lock(d.mutex);
  decided = d.anotherAccount.load(std::memory_order_acquire);
  if (decided < 0) {
    decided = shellRunsAsAnotherUser() ? 1 : 0;
    d.anotherAccount.store(decided, std::memory_order_release);
  }
  return decided == 1;
}

std::optional<bool> accountDecisionIfTaken() {
  const int decided = decision().anotherAccount.load(std::memory_order_acquire);
  if (decided < 0) return std::nullopt;
  return decided == 1;
}

void forgetAccountDecision() {
  AccountDecision& d = decision();
  std::lock_guard lock(d.mutex);
  d.anotherAccount.store(-1, std::memory_order_release);
}

bool isInUserProfile(const std::wstring& path) {
  for (const wchar_t* name : {L"USERPROFILE", L"LOCALAPPDATA", L"APPDATA"}) {
    const auto folder = environmentVariable(name);
    if (folder && isBelow(path, *folder)) return true;
  }
  return false;
}

}  // namespace vx
