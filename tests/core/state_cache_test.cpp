// The tweak state cache behind the cards: an entry younger than the maximum age is reused, the age
// counts from the clock reading taken before the query, clear() makes every entry stale and wins
// over queries that began before it, last known states stay for painting, and the lock is never
// held while a tweak is queried.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/state_cache.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::makeFake;

constexpr std::int64_t kMs = 1'000'000;  // nanoseconds

class StateCacheTest : public ::testing::Test {
 protected:
  std::int64_t now = 5'000 * kMs;
  TweakStateCache cache{[this] { return now; }};
};

TEST_F(StateCacheTest, EntryIsReusedOnlyWhileYoungerThanTheMaximumAge) {
  struct Case {
    std::int64_t ageNs;
    bool queriedAgain;
  };
  const Case cases[] = {
      {0, false},
      {1'999 * kMs, false},
      {2'000 * kMs - 1, false},
      {2'000 * kMs, true},  // exactly the maximum age is too old
      {60'000 * kMs, true},
  };
  for (const Case& c : cases) {
    auto tweak = makeFake(L"t");
    cache.clear();
    const std::int64_t start = now;
    tweak->state = TweakState::Applied;
    EXPECT_EQ(cache.cachedState(*tweak, 2000), TweakState::Applied);
    tweak->state = TweakState::NotApplied;
    now = start + c.ageNs;
    EXPECT_EQ(cache.cachedState(*tweak, 2000), c.queriedAgain ? TweakState::NotApplied : TweakState::Applied)
        << c.ageNs;
    EXPECT_EQ(tweak->queries, c.queriedAgain ? 2 : 1) << c.ageNs;
  }
}

TEST_F(StateCacheTest, AgeCountsFromTheReadingBeforeTheQuery) {
  // A slow query: 1500 ms pass while the tweak reads the system.
  class SlowTweak : public test::FakeTweak {
   public:
    SlowTweak(std::int64_t& clock) : FakeTweak(L"slow"), clock_(clock) {}
    TweakState queryState() override {
      clock_ += 1'500 * kMs;
      return FakeTweak::queryState();
    }
    std::int64_t& clock_;
  };
  SlowTweak tweak(now);
  const std::int64_t start = now;
  cache.cachedState(tweak, 2000);
  now = start + 2'000 * kMs;  // 500 ms after the query ended, 2000 ms after it began
  cache.cachedState(tweak, 2000);
  EXPECT_EQ(tweak.queries, 2);
}

TEST_F(StateCacheTest, ClearMakesEveryEntryStaleButKeepsTheLastKnownState) {
  auto a = makeFake(L"a");
  EXPECT_EQ(cache.lastKnown(L"a"), std::nullopt) << "nothing is known before the first query";
  EXPECT_TRUE(cache.needsRefresh(L"a", 2000));
  a->state = TweakState::Applied;
  cache.cachedState(*a, 2000);
  EXPECT_FALSE(cache.needsRefresh(L"a", 2000));
  cache.clear();
  EXPECT_TRUE(cache.needsRefresh(L"a", 2000));
  a->state = TweakState::NotApplied;
  EXPECT_EQ(cache.lastKnown(L"a"), TweakState::Applied) << "painting keeps the old state until a new one arrives";
  EXPECT_TRUE(cache.refresh(*a)) << "the state changed";
  EXPECT_EQ(cache.lastKnown(L"a"), TweakState::NotApplied);
  EXPECT_FALSE(cache.refresh(*a)) << "same state again";
  EXPECT_FALSE(cache.needsRefresh(L"a", 2000));
  now += 2'000 * kMs;
  EXPECT_TRUE(cache.needsRefresh(L"a", 2000));
}

TEST_F(StateCacheTest, AThrowingTweakReadsAsUndetermined) {
  auto t = makeFake(L"t");
  t->throwOnQuery = true;
  EXPECT_EQ(cache.cachedState(*t, 2000), TweakState::Undetermined);
  EXPECT_EQ(cache.lastKnown(L"t"), TweakState::Undetermined);
}

TEST_F(StateCacheTest, ClearForgetsEveryEntry) {
  auto a = makeFake(L"a");
  auto b = makeFake(L"b");
  cache.cachedState(*a, 2000);
  cache.cachedState(*b, 2000);
  cache.cachedState(*a, 2000);
  EXPECT_EQ(a->queries, 1);
  cache.clear();
  cache.cachedState(*a, 2000);
  cache.cachedState(*b, 2000);
  EXPECT_EQ(a->queries, 2);
  EXPECT_EQ(b->queries, 2);
}

TEST_F(StateCacheTest, EntriesBelongToTheTweakId) {
  auto first = makeFake(L"same.id");
  auto second = makeFake(L"same.id");
  auto other = makeFake(L"other.id");
  first->state = TweakState::Applied;
  other->state = TweakState::Unavailable;
  cache.cachedState(*first, 2000);
  EXPECT_EQ(cache.cachedState(*second, 2000), TweakState::Applied) << "one entry per id";
  EXPECT_EQ(second->queries, 0);
  EXPECT_EQ(cache.cachedState(*other, 2000), TweakState::Unavailable);
}

TEST_F(StateCacheTest, LockIsNotHeldWhileATweakIsQueried) {
  // A query that itself reads through the cache would deadlock if the lock were held.
  class NestedTweak : public test::FakeTweak {
   public:
    NestedTweak(TweakStateCache& cache, Tweak& inner) : FakeTweak(L"outer"), cache_(cache), inner_(inner) {}
    TweakState queryState() override {
      FakeTweak::queryState();
      return cache_.cachedState(inner_, 2000);
    }
    TweakStateCache& cache_;
    Tweak& inner_;
  };
  auto inner = makeFake(L"inner");
  inner->state = TweakState::Undetermined;
  NestedTweak outer(cache, *inner);
  EXPECT_EQ(cache.cachedState(outer, 2000), TweakState::Undetermined);
  EXPECT_EQ(cache.cachedState(*inner, 2000), TweakState::Undetermined);
  EXPECT_EQ(inner->queries, 1);
}

// A tweak whose query reads the state when it begins, then waits until the test lets it finish:
// the result is that of the moment the query began.
class GatedTweak : public Tweak {
 public:
  GatedTweak() : Tweak(L"gated", L"Gated", L"", TweakCategory::Performance) {}
  std::atomic<TweakState> current{TweakState::NotApplied};
  std::atomic<bool> gateOn{true};

  TweakState queryState() override {
    const TweakState seen = current.load();
    if (gateOn) {
      std::unique_lock lock(mutex_);
      entered_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return released_; });
    }
    return seen;
  }
  bool apply() override { return true; }
  bool revert() override { return true; }

  void waitUntilEntered() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entered_; });
  }
  void release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false, released_ = false;
};

TEST(StateCacheConcurrency, ClearWinsOverAQueryThatBeganBeforeIt) {
  TweakStateCache cache;
  GatedTweak tweak;
  std::thread worker([&] { cache.cachedState(tweak, 60'000); });  // a card's read before the action
  tweak.waitUntilEntered();
  tweak.current = TweakState::Applied;  // the action changes the system
  cache.clear();                        // and clears the cache afterwards
  tweak.release();                      // the old query ends only now
  worker.join();
  tweak.gateOn = false;
  EXPECT_EQ(cache.cachedState(tweak, 60'000), TweakState::Applied) << "the stale result must not be stored";
}

TEST(StateCacheConcurrency, ReadsRefreshesAndClearsFromSeveralThreads) {
  TweakStateCache cache;
  std::vector<std::shared_ptr<test::FakeTweak>> tweaks;
  for (int i = 0; i < 4; ++i) tweaks.push_back(makeFake(L"t" + std::to_wstring(i)));
  // FakeTweak counts its calls in plain ints, so each thread queries its own tweak.
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&, i] {
      for (int round = 0; round < 200; ++round) {
        cache.cachedState(*tweaks[i], 1);
        cache.refresh(*tweaks[i]);
        cache.lastKnown(tweaks[(i + 1) % 4]->id);
        cache.needsRefresh(tweaks[(i + 2) % 4]->id, 2000);
      }
    });
  std::thread clearer([&] {
    while (!stop) cache.clear();
  });
  for (auto& t : threads) t.join();
  stop = true;
  clearer.join();
  for (const auto& t : tweaks) EXPECT_GE(t->queries, 200) << "every refresh queries";
}

using StateCacheSimClock = test::SimTest;

TEST_F(StateCacheSimClock, DefaultClockIsThePlatformSteadyClock) {
  TweakStateCache cache;
  auto tweak = makeFake(L"t");
  cache.cachedState(*tweak, 2000);
  machine.advanceMs(1999);
  cache.cachedState(*tweak, 2000);
  EXPECT_EQ(tweak->queries, 1);
  machine.advanceMs(1);
  cache.cachedState(*tweak, 2000);
  EXPECT_EQ(tweak->queries, 2);
}

}  // namespace
}  // namespace vx
