// The change lock on the simulated machine: one lock per simulated machine that two threads take
// as two processes would, recursive for its holder like a Windows mutex. A thread that ends while
// it holds the lock abandons it, and the next taker gets it (WAIT_ABANDONED counts as taken). A
// wait ends when its time has passed on the machine's steady clock, which a test moves forward to
// end a ten-second wait at once, or in real time, whichever comes first.
#include "platform/change_lock.h"

#include <algorithm>
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
  std::uint32_t waiters = 0;
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

std::int64_t machineSteadyNs() {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return m.state().steadyNs;
}

// A thread that ends while holding the lock leaves it abandoned, as Windows does with a mutex
// whose owning thread ends: the next waiter gets it.
struct ThreadEnd {
  bool armed = false;
  ~ThreadEnd() {
    if (!armed) return;
    SimMutex& s = simMutex();
    {
      std::lock_guard lock(s.mutex);
      if (s.depth == 0 || s.owner != std::this_thread::get_id()) return;
      s.depth = 0;
      s.owner = {};
    }
    s.released.notify_all();
  }
};
thread_local ThreadEnd threadEnd;

}  // namespace

bool acquireChangeLock(std::uint32_t waitMs) {
  if (unopenable()) return false;
  SimMutex& s = simMutex();
  std::unique_lock lock(s.mutex);
  const auto self = std::this_thread::get_id();
  const auto free = [&] { return s.depth == 0 || s.owner == self; };
  if (!free()) {
    const auto wait = std::chrono::milliseconds(waitMs);
    const auto realStart = std::chrono::steady_clock::now();
    const std::int64_t machineStart = machineSteadyNs();
    ++s.waiters;
    for (;;) {
      const auto real = std::chrono::steady_clock::now() - realStart;
      const auto onMachine = std::chrono::nanoseconds(machineSteadyNs() - machineStart);
      if (real >= wait || onMachine >= wait) {
        --s.waiters;
        return false;
      }
      // Short slices: the machine's clock may move without anybody telling this wait.
      s.released.wait_for(lock, std::min<std::chrono::steady_clock::duration>(wait - real, std::chrono::milliseconds(2)));
      if (free()) break;
    }
    --s.waiters;
  }
  threadEnd.armed = true;
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

std::uint32_t Machine::changeLockWaiters() const {
  SimMutex& s = simMutex();
  std::lock_guard lock(s.mutex);
  return s.waiters;
}

}  // namespace vx::sim
