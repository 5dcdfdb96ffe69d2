// The tweak state cache behind the cards: an entry younger than the maximum age is reused, the age
// counts from the clock reading taken before the query, clear() forgets everything, and the lock
// is never held while a tweak is queried.
#include <gtest/gtest.h>

#include <memory>

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
