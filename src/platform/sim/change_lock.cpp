// The change lock on the simulated machine: one lock per simulated machine that two threads take
// as two processes would, recursive for its holder like a Windows mutex.
#include "platform/change_lock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/sim/machine_state.h"

namespace vx {

namespace {

struct SimMutex {
  std::mutex mutex;
  std::condition_variable released;
  std::thread::id owner;
  unsigned depth = 0;
};

SimMutex& simMutex() {
  static SimMutex* lock = new SimMutex();  // never destroyed: threads may still use it at exit
  return *lock;
}

bool unopenable() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().changeLockUnopenable;
}

}  // namespace

bool acquireChangeLock(std::uint32_t waitMs) {
  if (unopenable()) return false;
  SimMutex& s = simMutex();
  std::unique_lock lock(s.mutex);
  const auto self = std::this_thread::get_id();
  const auto free = [&] { return s.depth == 0 || s.owner == self; };
  if (!s.released.wait_for(lock, std::chrono::milliseconds(waitMs), free)) return false;
  s.owner = self;
  ++s.depth;
  return true;
}

void releaseChangeLock() {
  SimMutex& s = simMutex();
  {
    std::lock_guard lock(s.mutex);
    if (s.depth == 0 || s.owner != std::this_thread::get_id()) return;  // ReleaseMutex fails the same way
    if (--s.depth == 0) s.owner = {};
  }
  s.released.notify_all();
}

}  // namespace vx

namespace vx::sim {

void Machine::failChangeLockOpen(bool fail) {
  std::lock_guard lock(mutex());
  state().changeLockUnopenable = fail;
}

}  // namespace vx::sim
