// The machine-wide change lock on the simulated machine, where two threads stand for two Vantorix
// processes: the window only tries it, jobs and vxctl wait for it, a lock that cannot be opened
// counts as held, and an apply racing a revert never loses the player's original file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/catalog.h"
#include "core/change_guard.h"
#include "core/engine.h"
#include "core/job_results.h"
#include "games/config_backup.h"
#include "games/game_groups.h"
#include "games/game_scenarios.h"
#include "platform/change_lock.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

class ChangeLockTest : public test::SimTest {};

// Another "process" holds the lock until told to let go.
class OtherHolder {
 public:
  OtherHolder() {
    thread_ = std::thread([this] {
      const ChangeGuard guard(kChangeLockWaitMs);
      taken_ = guard.held();
      while (!letGo_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    while (!taken_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  void letGo() { letGo_ = true; }
  ~OtherHolder() {
    letGo_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> taken_{false}, letGo_{false};
  std::thread thread_;
};

TEST_F(ChangeLockTest, TheWindowOnlyTriesAndSaysSoAtOnce) {
  auto t = test::makeFake(L"a");
  {
    OtherHolder other;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(toggleTweak(*t).text, L"Твик a: Другая копия Vantorix сейчас вносит изменения — повторите позже");
    t->state = TweakState::Applied;
    EXPECT_EQ(toggleTweak(*t).text, L"Твик a: Другая копия Vantorix сейчас вносит изменения — повторите позже");
    EXPECT_EQ(runCategory({t}, t->category, true), (CategoryRunCounts{0, 0, 0, true}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(t->applies + t->reverts, 0);
  }
  EXPECT_EQ(toggleTweak(*t).text, L"Твик a: откачено");
}

TEST_F(ChangeLockTest, AJobWaitsForTheOtherHolder) {
  auto t = test::makeFake(L"a");
  OtherHolder other;
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    other.letGo();
  });
  const JobResult job = runSelectedJob({t});
  release.join();
  EXPECT_EQ(t->applies, 1);
  EXPECT_TRUE(job.succeeded);
}

TEST_F(ChangeLockTest, ALockThatCannotBeOpenedCountsAsHeld) {
  machine.failChangeLockOpen();
  auto t = test::makeFake(L"a");
  EXPECT_FALSE(acquireChangeLock(0));
  EXPECT_EQ(runSelectedJob({t}).text, L"Другая копия Vantorix сейчас вносит изменения — повторите позже");
  EXPECT_EQ(runCategoryJob({t}, t->category, false).text, L"Другая копия Vantorix сейчас вносит изменения — повторите позже");
  EXPECT_EQ(t->applies, 0);
}

TEST_F(ChangeLockTest, TheHolderMayTakeItAgainAndOthersWaitTillItIsFree) {
  ASSERT_TRUE(acquireChangeLock(0));
  ASSERT_TRUE(acquireChangeLock(0));  // recursive for its holder, like a Windows mutex
  bool otherGot = true;
  std::thread([&] { otherGot = acquireChangeLock(20); }).join();
  EXPECT_FALSE(otherGot);
  releaseChangeLock();
  std::thread([&] { otherGot = acquireChangeLock(0); }).join();
  EXPECT_FALSE(otherGot) << "still held once";
  releaseChangeLock();
  std::thread([&] {
    otherGot = acquireChangeLock(0);
    if (otherGot) releaseChangeLock();
  }).join();
  EXPECT_TRUE(otherGot);
}

// The window and vxctl at once: an apply and a revert of Rust's client.cfg, 50 rounds. After a
// final revert the player's original is always back.
TEST_F(ChangeLockTest, ApplyRacingRevertNeverLosesTheOriginal) {
  const std::string original = "// mine\r\ngraphics.fov \"75\"\r\nbind f1 consoletoggle\r\n";
  const auto rust = test::installRust(L'D', original);
  GameDiscovery discovery{steadyNanoseconds};
  TweakCatalog catalog;
  appendPerGameGroup(catalog, discovery);
  TweakPtr rustTweak;
  for (const TweakPtr& t : catalog)
    if (t->id == L"game.rust.visuals") rustTweak = t;
  ASSERT_TRUE(rustTweak);
  int kept = 0;
  constexpr int kRounds = 50;
  for (int round = 0; round < kRounds; ++round) {
    std::thread apply([&] {
      const ChangeGuard guard(kChangeLockWaitMs);
      applyWithStatus(*rustTweak);
    });
    std::thread revert([&] {
      const ChangeGuard guard(kChangeLockWaitMs);
      if (rustTweak->queryState() == TweakState::Applied) revertWithStatus(*rustTweak);
    });
    apply.join();
    revert.join();
    if (rustTweak->queryState() == TweakState::Applied) revertWithStatus(*rustTweak);
    if (test::fileBytes(rust.clientCfg) == original && !test::fileExists(configBackupPath(rust.clientCfg))) ++kept;
  }
  EXPECT_EQ(kept, kRounds);
}

}  // namespace
}  // namespace vx
