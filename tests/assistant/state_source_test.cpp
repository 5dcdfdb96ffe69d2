// The advice through the window's state cache equals the advice from direct queries: right after
// start (empty cache), after an action (cleared cache) and once entries have aged; only entries
// younger than the maximum age are reused.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assistant/state_source.h"
#include "assistant_fixture.h"
#include "core/state_cache.h"

namespace vx {
namespace {

constexpr std::int64_t kMs = 1'000'000;  // nanoseconds

class CachedAdvice : public test::AssistantConversation {
 protected:
  void SetUp() override {
    for (const wchar_t* id : {L"one", L"two", L"three", L"four", L"five"}) {
      fakes.push_back(test::makeFake(id));
      catalog.push_back(fakes.back());
    }
  }
  // The advice answer through the given source, from a memory and engine of its own so that two
  // answers can be compared.
  AssistantReply adviceThrough(StateSource states) {
    memory = {};
    random = std::mt19937{};
    return askWith(L"посоветуй", std::move(states));
  }
  void setStates(std::vector<TweakState> states) {
    for (std::size_t i = 0; i < fakes.size(); ++i) fakes[i]->state = states[i];
  }
  int totalQueries() const {
    int n = 0;
    for (const auto& f : fakes) n += f->queries;
    return n;
  }

  std::vector<std::shared_ptr<test::FakeTweak>> fakes;
  std::int64_t now = 10'000 * kMs;
  TweakStateCache cache{[this] { return now; }};
};

using S = TweakState;

TEST_F(CachedAdvice, EqualsDirectQueriesAtStartAfterAnActionAndWhenStale) {
  setStates({S::Applied, S::NotApplied, S::NotApplied, S::Undetermined, S::NotApplied});
  const AssistantReply atStart = adviceThrough(cachedStates(cache));
  EXPECT_EQ(atStart, adviceThrough(directStates())) << "an empty cache is read through, not Undetermined";
  EXPECT_EQ(atStart.tweakIds, (std::vector<std::wstring>{L"two", L"three", L"five"}));

  // An action changes states and clears the cache, as the window does after every action.
  setStates({S::NotApplied, S::Applied, S::NotApplied, S::NotApplied, S::Applied});
  cache.clear();
  const AssistantReply afterAction = adviceThrough(cachedStates(cache));
  EXPECT_EQ(afterAction, adviceThrough(directStates()));
  EXPECT_EQ(afterAction.tweakIds, (std::vector<std::wstring>{L"one", L"three", L"four"}));

  // Something else changes the system; entries of exactly the maximum age are queried again.
  setStates({S::Applied, S::Applied, S::Applied, S::NotApplied, S::NotApplied});
  now += kCachedStateMaxAgeMs * kMs;
  const AssistantReply stale = adviceThrough(cachedStates(cache));
  EXPECT_EQ(stale, adviceThrough(directStates()));
  EXPECT_EQ(stale.tweakIds, (std::vector<std::wstring>{L"four", L"five"}));
}

TEST_F(CachedAdvice, YoungEntriesAreReusedWithoutQuerying) {
  adviceThrough(cachedStates(cache));
  const int queriesAfterFirst = totalQueries();
  EXPECT_EQ(queriesAfterFirst, 5);
  now += (kCachedStateMaxAgeMs - 1) * kMs;
  adviceThrough(cachedStates(cache));
  EXPECT_EQ(totalQueries(), queriesAfterFirst) << "a warm cache answers";
  adviceThrough(directStates());
  EXPECT_EQ(totalQueries(), queriesAfterFirst + 5) << "direct queries always ask the tweaks";
}

TEST(StateSources, AThrowingQueryCountsAsUndetermined) {
  auto tweak = test::makeFake(L"t");
  tweak->throwOnQuery = true;
  TweakStateCache cache{[] { return std::int64_t{0}; }};
  EXPECT_EQ(directStates()(*tweak), TweakState::Undetermined);
  EXPECT_EQ(cachedStates(cache)(*tweak), TweakState::Undetermined);
}

}  // namespace
}  // namespace vx
