// Holding the machine-wide change lock (platform/change_lock.h) for a scope. The engine takes it
// for every apply and revert without waiting; the jobs and vxctl take it first with their own
// wait, the window's synchronous card actions without waiting, so the UI thread never waits on it.
#pragma once
#include <cstdint>

namespace vx {

inline constexpr const wchar_t* kAnotherCopyBusyMessage = L"Другая копия Vantorix сейчас вносит изменения — повторите позже";
// How long a job thread and vxctl wait for the lock before they give up with the message.
inline constexpr std::uint32_t kChangeLockWaitMs = 10000;

class ChangeGuard {
 public:
  explicit ChangeGuard(std::uint32_t waitMs = 0);
  ~ChangeGuard();
  ChangeGuard(const ChangeGuard&) = delete;
  ChangeGuard& operator=(const ChangeGuard&) = delete;

  // This thread holds the lock for the guard's lifetime.
  bool held() const { return held_; }

 private:
  bool held_ = false;
};

}  // namespace vx
