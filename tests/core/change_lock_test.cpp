// The machine-wide change lock on the simulated machine, where two threads stand for two Vantorix
// processes: the window only tries it, jobs and vxctl wait for it, a lock that cannot be opened
// counts as held, and an apply racing a revert never loses the player's original file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "base/text.h"
#include "cli/cli_command.h"
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
  ::testing::internal::CaptureStderr();
  for (const auto& command : cli::commands())
    if (command.name == L"apply") EXPECT_EQ(command.run({L"net.tcp_nodelay"}), cli::kExitFailed);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), toUtf8(kAnotherCopyBusyMessage) + "\n");
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

// The window and vxctl at once, 50 rounds on Rust's client.cfg the tweak has already changed: an
// apply again (the window) and a revert (vxctl). The apply is held inside its write, after it has
// read the file and found the backup, until the revert has run or waits for the lock; without
// the lock the revert then puts the original back and deletes the backup, and the apply writes
// its file over it with no backup left. With the lock, after a final revert the player's original
// is back every round.
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
  const auto waitFor = [](const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
  };
  int kept = 0;
  constexpr int kRounds = 50;
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_EQ(applyWithStatus(*rustTweak).outcome, StatusOutcome::Success);
    std::atomic<bool> applyInside{false}, revertDone{false};
    std::thread::id applyThread;
    machine.onFileChange([&](const std::wstring&) {
      if (std::this_thread::get_id() != applyThread || applyInside.exchange(true)) return true;
      waitFor([&] { return revertDone.load() || machine.changeLockWaiters() > 0; });
      return true;
    });
    std::thread apply([&] {
      applyThread = std::this_thread::get_id();
      const ChangeGuard guard(kChangeLockWaitMs);
      applyWithStatus(*rustTweak);
    });
    ASSERT_TRUE(waitFor([&] { return applyInside.load(); })) << "the apply never wrote";
    std::thread revert([&] {
      {
        const ChangeGuard guard(kChangeLockWaitMs);
        if (rustTweak->queryState() == TweakState::Applied) revertWithStatus(*rustTweak);
      }
      revertDone = true;
    });
    apply.join();
    revert.join();
    machine.onFileChange(nullptr);
    if (rustTweak->queryState() == TweakState::Applied) revertWithStatus(*rustTweak);
    if (test::fileBytes(rust.clientCfg) == original && !test::fileExists(configBackupPath(rust.clientCfg))) ++kept;
    test::putFile(rust.clientCfg, original);  // the next round starts from the original either way
    removeFileClearingReadOnly(configBackupPath(rust.clientCfg));
  }
  EXPECT_EQ(kept, kRounds);
}

// A job and vxctl wait the whole ten seconds for another holder, and not a millisecond less, then
// give up with the text (vxctl with exit status 1). The wait runs on the machine's clock, which
// the test moves forward.
TEST_F(ChangeLockTest, JobsAndVxctlGiveUpAfterTenSecondsWhileAnotherHolderKeepsIt) {
  auto t = test::makeFake(L"a");
  const auto vxctl = [](const wchar_t* verb, const std::wstring& id) {
    for (const auto& command : cli::commands()) {
      if (command.name != verb) continue;
      ::testing::internal::CaptureStderr();
      const int code = command.run({id});
      return std::to_string(code) + " " + ::testing::internal::GetCapturedStderr();
    }
    return std::string("no verb");
  };
  const std::string busy = toUtf8(kAnotherCopyBusyMessage);
  struct Case {
    const char* name;
    std::function<std::string()> run;  // what the user is told
    std::string told;
  };
  const Case cases[] = {
      {"selected job", [&] { return toUtf8(runSelectedJob({t}).text); }, busy},
      {"category job", [&] { return toUtf8(runCategoryJob({t}, t->category, true).text); }, busy},
      {"profile job", [&] { return toUtf8(runProfileJob({t}, L"Pro").text); }, busy},
      {"vxctl apply", [&] { return vxctl(L"apply", L"net.tcp_nodelay"); }, "1 " + busy + "\n"},
      {"vxctl revert", [&] { return vxctl(L"revert", L"net.tcp_nodelay"); }, "1 " + busy + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OtherHolder other;
    std::atomic<bool> done{false};
    std::string told;
    std::thread waiter([&] {
      told = c.run();
      done = true;
    });
    while (machine.changeLockWaiters() == 0 && !done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    machine.advanceMs(kChangeLockWaitMs - 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(done) << "gave up before ten seconds";
    machine.advanceMs(1);
    waiter.join();
    EXPECT_EQ(told, c.told);
  }
  EXPECT_EQ(t->applies + t->reverts, 0);
}

// A holder that ended without letting go (a killed Vantorix) leaves the lock abandoned: Windows
// hands it to the next waiter with WAIT_ABANDONED, which counts as taken.
TEST_F(ChangeLockTest, ALockWhoseHolderEndedIsTakenByTheNext) {
  std::thread([] { ASSERT_TRUE(acquireChangeLock(0)); }).join();
  auto t = test::makeFake(L"a");
  EXPECT_EQ(toggleTweak(*t).text, L"Твик a: применено");
  EXPECT_TRUE(runSelectedJob({t}).succeeded);
  EXPECT_EQ(t->applies, 2);
}

}  // namespace
}  // namespace vx
