#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/fake_tweak.h"
#include "ui/state_refresher.h"

namespace vx::test {
namespace {

// A tweak whose state may be changed by the test while the refresher thread queries it.
class SharedStateTweak : public Tweak {
 public:
  SharedStateTweak(std::wstring id, TweakCategory category) : Tweak(id, id, L"", category) {}
  std::atomic<TweakState> state{TweakState::NotApplied};
  std::atomic<int> queries{0};
  TweakState queryState() override {
    ++queries;
    return state.load();
  }
  bool apply() override { return true; }
  bool revert() override { return true; }
};

struct ManualClock {
  std::int64_t nowMs = 0;
  TweakStateCache cache{[this] { return nowMs * 1'000'000; }};
};

class UiStateRefresher : public ::testing::Test {
 protected:
  std::shared_ptr<SharedStateTweak> add(const std::wstring& id, TweakCategory category) {
    auto t = std::make_shared<SharedStateTweak>(id, category);
    catalog.push_back(t);
    return t;
  }
  ui::StateRefresher::Options manualOptions() {
    ui::StateRefresher::Options o;
    o.nowMs = [this] { return clock.nowMs; };
    o.sleepMs = [](int) {};
    return o;
  }
  TweakCatalog catalog;
  ManualClock clock;
  int changes = 0;
};

TEST_F(UiStateRefresher, StaleEntriesOfTheVisiblePageComeFirst) {
  auto perf = add(L"perf.a", TweakCategory::Performance);
  auto net = add(L"net.a", TweakCategory::Network);
  auto sys = add(L"sys.a", TweakCategory::System);
  ui::StateRefresher refresher(catalog, clock.cache, [this] { ++changes; }, manualOptions());
  refresher.setVisibleCategory(TweakCategory::System);
  EXPECT_TRUE(refresher.step());
  EXPECT_EQ(sys->queries, 1);
  EXPECT_EQ(perf->queries + net->queries, 0);
  EXPECT_TRUE(refresher.step());
  EXPECT_TRUE(refresher.step());
  EXPECT_EQ(perf->queries + net->queries, 2);
  EXPECT_EQ(changes, 0);           // reported once the stale batch is done
  EXPECT_FALSE(refresher.step());  // nothing stale, calm interval not yet passed
  EXPECT_EQ(changes, 1);

  clock.cache.clear();  // an action: all stale again, refreshed back to back
  EXPECT_TRUE(refresher.step());
  EXPECT_EQ(sys->queries, 2);
  EXPECT_EQ(clock.cache.lastKnown(perf->id), TweakState::NotApplied);  // still shown meanwhile
  refresher.step();
  refresher.step();
  refresher.step();
  EXPECT_EQ(changes, 1);  // the same states: no repaint asked for
}

TEST_F(UiStateRefresher, AgedEntriesAreRefreshedAtABoundedRate) {
  std::vector<std::shared_ptr<SharedStateTweak>> tweaks;
  for (int i = 0; i < 10; ++i) tweaks.push_back(add(L"t" + std::to_wstring(i), TweakCategory::Pro));
  auto visible = add(L"visible", TweakCategory::Games);
  ui::StateRefresher refresher(catalog, clock.cache, [this] { ++changes; }, manualOptions());
  refresher.setVisibleCategory(TweakCategory::Games);
  while (refresher.step()) {
  }
  int total = 0;
  for (auto& t : tweaks) total += t->queries;
  EXPECT_EQ(total, 10);

  clock.nowMs = 10'000;  // everything is older than 2 s now
  visible->state = TweakState::Applied;
  int queried = 0;
  for (int slice = 0; slice < 10; ++slice) {  // one second in 100 ms slices
    clock.nowMs += 100;
    queried += refresher.step() ? 1 : 0;
  }
  EXPECT_EQ(queried, 2);           // one per 500 ms
  EXPECT_EQ(visible->queries, 2);  // the visible page first
  EXPECT_EQ(clock.cache.lastKnown(visible->id), TweakState::Applied);
  EXPECT_EQ(changes, 2);
}

TEST_F(UiStateRefresher, ConcurrentThreadKeepsTheCacheCurrentAndStops) {
  for (int i = 0; i < 20; ++i) add(L"t" + std::to_wstring(i), TweakCategory::Privacy);
  auto watched = add(L"watched", TweakCategory::Privacy);
  TweakStateCache cache([] { return std::int64_t{0}; });  // time stands still: only clear() makes entries stale
  std::atomic<int> changed{0};
  ui::StateRefresher::Options options;
  options.sliceMs = 5;
  ui::StateRefresher refresher(catalog, cache, [&] { ++changed; }, options);
  refresher.start();
  ASSERT_TRUE(refresher.waitUntilCurrent(5000));
  for (const auto& t : catalog) EXPECT_TRUE(cache.lastKnown(t->id).has_value());

  watched->state = TweakState::Applied;
  cache.clear();  // as after an action
  ASSERT_TRUE(refresher.waitUntilCurrent(5000));
  EXPECT_EQ(cache.lastKnown(watched->id), TweakState::Applied);
  EXPECT_GE(changed.load(), 2);
  refresher.stop();
  const int after = watched->queries.load();
  cache.clear();
  EXPECT_EQ(watched->queries.load(), after);
}

// A tweak whose query blocks until the test lets it go, like a slow game discovery.
class BlockingTweak : public Tweak {
 public:
  explicit BlockingTweak(std::wstring id) : Tweak(id, id, L"", TweakCategory::Games) {}
  TweakState queryState() override {
    std::unique_lock lock(mutex);
    entered = true;
    signal.notify_all();
    signal.wait(lock, [this] { return released; });
    return TweakState::NotApplied;
  }
  bool apply() override { return true; }
  bool revert() override { return true; }
  void waitUntilEntered() {
    std::unique_lock lock(mutex);
    signal.wait_for(lock, std::chrono::seconds(5), [this] { return entered; });
  }
  void release() {
    std::lock_guard lock(mutex);
    released = true;
    signal.notify_all();
  }
  std::mutex mutex;
  std::condition_variable signal;
  bool entered = false, released = false;
};

TEST_F(UiStateRefresher, ClosingDoesNotWaitForASlowQuery) {
  auto slow = std::make_shared<BlockingTweak>(L"games.slow");
  catalog.push_back(slow);
  TweakStateCache cache;
  std::atomic<int> changed{0};
  ui::StateRefresher::Options options;
  options.sliceMs = 5;
  auto refresher = std::make_unique<ui::StateRefresher>(catalog, cache, [&] { ++changed; }, options);
  refresher->start();
  slow->waitUntilEntered();
  ASSERT_TRUE(slow->entered);
  const auto t0 = std::chrono::steady_clock::now();
  refresher->stopWithoutWaiting();
  const auto took = std::chrono::steady_clock::now() - t0;
  EXPECT_LT(took, std::chrono::milliseconds(100));
  // The query ends later; the thread stores its result and leaves on its own.
  slow->release();
  for (int i = 0; i < 500 && !cache.lastKnown(slow->id); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(cache.lastKnown(slow->id), TweakState::NotApplied);
  ASSERT_TRUE(refresher->waitUntilEnded(5000));  // it saw the flag and left on its own
  refresher.reset();
}

TEST_F(UiStateRefresher, PostedReadsRunOnItsThreadBeforeTheNextQuery) {
  auto perf = add(L"perf.a", TweakCategory::Performance);
  ui::StateRefresher refresher(catalog, clock.cache, [this] { ++changes; }, manualOptions());
  std::vector<int> order;
  refresher.post([&] { order.push_back(1); });
  refresher.post([&] { throw std::runtime_error("a read that fails"); });
  refresher.post([&] { order.push_back(3); });
  EXPECT_TRUE(refresher.step());
  EXPECT_EQ(order, (std::vector<int>{1, 3}));  // in order; a failing one does not stop the rest
  EXPECT_EQ(perf->queries, 0);
  EXPECT_TRUE(refresher.step());
  EXPECT_EQ(perf->queries, 1);

  // On the running thread: the task runs there, not on the caller's.
  std::promise<std::thread::id> ranOn;
  refresher.start();
  refresher.post([&] { ranOn.set_value(std::this_thread::get_id()); });
  auto future = ranOn.get_future();
  ASSERT_EQ(future.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_NE(future.get(), std::this_thread::get_id());
  refresher.stop();
}

}  // namespace
}  // namespace vx::test
