#include "core/change_guard.h"

#include "platform/change_lock.h"

namespace vx {

ChangeGuard::ChangeGuard(std::uint32_t waitMs) : held_(acquireChangeLock(waitMs)) {}

ChangeGuard::~ChangeGuard() {
  if (held_) releaseChangeLock();
}

}  // namespace vx
