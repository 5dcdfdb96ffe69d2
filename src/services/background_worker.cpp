#include "services/background_worker.h"

#include <chrono>
#include <system_error>

namespace vx {

namespace {

constexpr std::uint32_t kSliceMs = 100;

std::thread startStdThread(std::function<void()> body) { return std::thread(std::move(body)); }

}  // namespace

void pauseInSlices(std::uint32_t ms, const std::atomic<bool>& running) {
  for (std::uint32_t slice = 0; slice < ms / kSliceMs; ++slice) {
    if (!running.load()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
  }
}

BackgroundWorker::BackgroundWorker(ThreadStarter starter)
    : starter_(starter ? std::move(starter) : ThreadStarter(startStdThread)) {}

BackgroundWorker::~BackgroundWorker() { stop(); }

bool BackgroundWorker::start(std::function<void()> body) {
  // Start and stop change running only with threadMutex_ held (the loop's own stop aside, which
  // only clears it), so no start can set it again between a stop's clearing and its join.
  std::lock_guard lock(threadMutex_);
  if (running_.load()) return true;
  // A thread that stopped itself ends as soon as it sees running clear; collect it first.
  joinLocked();
  running_.store(true);
  try {
    thread_ = starter_([this, body = std::move(body)] {
      workerId_.store(std::this_thread::get_id());
      body();
    });
  } catch (const std::system_error&) {
    thread_ = std::thread();
  }
  if (!thread_.joinable()) {
    running_.store(false);
    return false;
  }
  return true;
}

void BackgroundWorker::stop() {
  if (workerId_.load() == std::this_thread::get_id()) {  // never join oneself
    running_.store(false);
    return;
  }
  std::lock_guard lock(threadMutex_);
  running_.store(false);
  joinLocked();
}

void BackgroundWorker::joinLocked() {
  if (!thread_.joinable()) return;
  thread_.join();
  workerId_.store(std::thread::id());  // a later thread may be given the same id
}

}  // namespace vx
