#include "ui/state_refresher.h"

#include <chrono>

#include "platform/system.h"

namespace vx::ui {

namespace {

// An age no entry reaches: needsRefresh() then only reports missing and cleared entries.
constexpr std::int64_t kStaleOnly = std::int64_t{1} << 40;

}  // namespace

StateRefresher::StateRefresher(TweakCatalog catalog, TweakStateCache& cache, std::function<void()> onChanged,
                               Options options)
    : catalog_(std::move(catalog)), cache_(cache), onChanged_(std::move(onChanged)), options_(std::move(options)) {
  if (!options_.nowMs) options_.nowMs = [] { return steadyNanoseconds() / 1'000'000; };
  if (!options_.sleepMs) options_.sleepMs = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  lastCalmMs_ = options_.nowMs();
}

StateRefresher::~StateRefresher() { stop(); }

void StateRefresher::start() {
  if (running_.exchange(true)) return;
  {
    std::lock_guard lock(idleMutex_);
    ended_ = false;
  }
  thread_ = std::thread([this] { run(); });
}

void StateRefresher::stop() {
  running_.store(false);
  if (thread_.joinable()) thread_.join();
}

void StateRefresher::stopWithoutWaiting() {
  running_.store(false);
  if (thread_.joinable()) thread_.detach();
}

void StateRefresher::setVisibleCategory(std::optional<TweakCategory> category) {
  visible_.store(category ? static_cast<int>(*category) : -1);
}

TweakPtr StateRefresher::nextTweak(std::int64_t maxAgeMs) const {
  const int visible = visible_.load();
  TweakPtr other;
  for (const TweakPtr& tweak : catalog_) {
    if (!tweak || !cache_.needsRefresh(tweak->id, maxAgeMs)) continue;
    if (static_cast<int>(tweak->category) == visible) return tweak;
    if (!other) other = tweak;
  }
  return other;
}

void StateRefresher::post(std::function<void()> task) {
  if (!task) return;
  std::lock_guard lock(tasksMutex_);
  tasks_.push_back(std::move(task));
}

bool StateRefresher::runPostedTasks() {
  std::deque<std::function<void()>> tasks;
  {
    std::lock_guard lock(tasksMutex_);
    tasks.swap(tasks_);
  }
  for (auto& task : tasks) {
    try {
      task();
    } catch (...) {
      // A failed read loses only its own result; the states keep being refreshed.
    }
  }
  return !tasks.empty();
}

bool StateRefresher::step() {
  if (runPostedTasks()) return true;
  if (TweakPtr tweak = nextTweak(kStaleOnly)) {
    pendingChange_ = cache_.refresh(*tweak) || pendingChange_;
    return true;
  }
  // Nothing stale is left: report the batch, then at most one aged entry per calm interval.
  {
    std::lock_guard lock(idleMutex_);
    ++idleChecks_;
  }
  idleSignal_.notify_all();
  bool queried = false;
  const std::int64_t now = options_.nowMs();
  if (now - lastCalmMs_ >= options_.calmIntervalMs) {
    lastCalmMs_ = now;
    if (TweakPtr tweak = nextTweak(options_.maxAgeMs)) {
      pendingChange_ = cache_.refresh(*tweak) || pendingChange_;
      queried = true;
    }
  }
  if (pendingChange_) {
    pendingChange_ = false;
    if (onChanged_) onChanged_();
  }
  return queried;
}

void StateRefresher::run() {
  while (running_.load()) {
    if (step() && running_.load()) continue;
    options_.sleepMs(options_.sliceMs);
  }
  // Notified under the lock: a waiter may destroy the refresher once it returns, and the thread
  // touches nothing of it after unlocking.
  std::lock_guard lock(idleMutex_);
  ended_ = true;
  idleSignal_.notify_all();
}

bool StateRefresher::waitUntilEnded(std::int64_t timeoutMs) {
  std::unique_lock lock(idleMutex_);
  return idleSignal_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return ended_; });
}

bool StateRefresher::waitUntilCurrent(std::int64_t timeoutMs) {
  std::unique_lock lock(idleMutex_);
  const std::uint64_t target = idleChecks_ + 2;
  return idleSignal_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return idleChecks_ >= target; });
}

}  // namespace vx::ui
