// The booster's loop on the simulated machine, period by period: game detection, the timer
// resolution held and released (and never held where Windows keeps it to our own process),
// standby purges at the threshold with the privilege they need and at most one a minute, the
// status line, and start/stop semantics including a failing thread start and a stop from the loop
// itself.
#include "services/booster_engine.h"

#include <gtest/gtest.h>

#include "base/text.h"

#include <chrono>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "services/game_processes.h"
#include "services/stepped_pause.h"
#include "support/sim_test.h"

namespace vx {
namespace {

class BoosterTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    // Windows 10 1903 (Wine's "win10"): a timer request there still reaches every process.
    machine.setWindowsVersion({10, 0, 18362});
    machine.setRunningProcesses({L"System", L"explorer.exe"});
  }

  void setLoad(std::uint32_t percent) { machine.setMemory(MemoryStatus{16ULL << 30, 8ULL << 30, percent}); }

  // Starts the engine and lets it run until it has paused `periods` times in all.
  void runUntil(BoosterEngine& engine, int periods) {
    steps.allow(periods);
    ASSERT_TRUE(engine.start());
    ASSERT_TRUE(steps.waitForPauses(periods));
  }

  void continueUntil(int periods) {
    steps.allow(periods);
    ASSERT_TRUE(steps.waitForPauses(periods));
  }

  // The stepped pause that also moves the machine's clocks on by the period, as a real pause would.
  LoopPause clockedPause() {
    return [this, inner = steps.pause()](std::uint32_t ms, const std::atomic<bool>& running) {
      machine.advanceMs(ms);
      inner(ms, running);
    };
  }

  test::SteppedPause steps;
};

TEST_F(BoosterTest, SteamAloneHoldsTheTimerUntilStopAndTheStatusSaysFound) {
  machine.setRunningProcesses({L"System", L"explorer.exe", L"Steam.exe"});
  BoosterEngine engine({}, steps.pause());
  EXPECT_EQ(engine.statusText(), L"Движок выключен");
  runUntil(engine, 1);

  EXPECT_EQ(machine.heldTimerResolution(), 5000u);
  EXPECT_EQ(engine.statusText(),
            L"Движок: вкл  •  ОЗУ: 43%  •  Таймер 0.5ms: активен  •  Игра: найдена  •  Очисток standby: 0");

  engine.stop();
  EXPECT_FALSE(engine.isRunning());
  EXPECT_EQ(machine.heldTimerResolution(), 0u) << "stop must release the resolution";
  EXPECT_FALSE(engine.timerActive());
  EXPECT_EQ(engine.statusText(), L"Движок выключен");
}

TEST_F(BoosterTest, TimerIsReleasedWhenTheGameEndsAndHeldAgainWhenOneStarts) {
  machine.setRunningProcesses({L"cs2.exe"});
  BoosterEngine engine({}, steps.pause());
  runUntil(engine, 1);
  EXPECT_TRUE(engine.timerActive());

  machine.setRunningProcesses({L"notepad.exe"});
  continueUntil(2);
  EXPECT_EQ(machine.heldTimerResolution(), 0u);
  EXPECT_FALSE(engine.timerActive());
  EXPECT_FALSE(engine.gameDetected());
  EXPECT_NE(engine.statusText().find(L"Таймер 0.5ms: ожидает  •  Игра: нет"), std::wstring::npos);

  machine.setRunningProcesses({L"RustClient.exe"});
  continueUntil(3);
  EXPECT_EQ(machine.heldTimerResolution(), 5000u);
  EXPECT_EQ(machine.timerRequestCalls(), 3u) << "request, release, request";
}

TEST(GameProcessNames, KnownNamesAndTheShippingAndWin64RulesInAnyLetterCase) {
  struct Case {
    const wchar_t* image;
    bool game;
  };
  const Case cases[] = {
      {L"steam.exe", true},
      {L"STEAM.EXE", true},
      {L"Baldur's Gate 3.exe", true},
      {L"League of Legends.exe", true},
      {L"Minecraft.Windows.exe", true},
      {L"MyGame-Win64-Shipping.exe", true},
      {L"SHOOTER-SHIPPING.EXE", true},
      {L"ИГРА-SHIPPING.EXE", true},
      {L"Tool-Win64-Test.exe", true},
      {L"notepad.exe", false},
      {L"steam.exe.bak", false},
      {L"steamwebhelper.exe", false},
      {L"win64.exe", false},
      {L"ИГРА.EXE", false},
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isGameProcessName(c.image), c.game) << toUtf8(c.image);
  EXPECT_EQ(gameProcessNames().size(), 50u);
  for (const std::wstring_view name : gameProcessNames()) EXPECT_TRUE(isGameProcessName(name)) << toUtf8(name);
}

TEST_F(BoosterTest, ScanUsesTheProcessSnapshot) {
  machine.setRunningProcesses({L"notepad.exe", L"FortniteClient-Win64-Shipping.exe"});
  EXPECT_TRUE(isGameRunning());
  machine.failProcessSnapshot();
  EXPECT_FALSE(isGameRunning()) << "no snapshot, no game";
}

TEST_F(BoosterTest, PurgeStartsAtTheThresholdWithOrWithoutAGame) {
  struct Case {
    std::uint32_t load;
    bool game;
    std::int32_t purges;
  };
  const Case cases[] = {{84, false, 0}, {85, false, 1}, {85, true, 1}, {100, false, 1}, {0, true, 0}};
  for (const Case& c : cases) {
    machine.reset();
    machine.setRunningProcesses(c.game ? std::vector<std::wstring>{L"dota2.exe"} : std::vector<std::wstring>{});
    setLoad(c.load);
    test::SteppedPause pause;
    BoosterEngine engine({}, pause.pause());
    pause.allow(1);
    ASSERT_TRUE(engine.start());
    ASSERT_TRUE(pause.waitForPauses(1));
    EXPECT_EQ(engine.purgeCount(), c.purges) << "load " << c.load;
    EXPECT_EQ(machine.standbyPurgeCalls(), static_cast<std::uint32_t>(c.purges)) << "load " << c.load;
    EXPECT_EQ(engine.memoryLoad(), static_cast<std::int32_t>(c.load));
  }
}

// Standby pages count as available memory, so the load stays high after a purge: at most one
// purge a minute, the first at once, and a restart does not bypass the spacing.
TEST_F(BoosterTest, PurgeWaitsAMinuteWhileTheLoadStaysHighAndTheCountSurvivesStopAndStart) {
  setLoad(90);
  BoosterEngine engine({}, clockedPause());
  runUntil(engine, 1);
  EXPECT_EQ(engine.purgeCount(), 1) << "the first period that reaches the threshold purges";
  continueUntil(30);  // periods 1..30 ran at 0, 2, ..., 58 s
  EXPECT_EQ(engine.purgeCount(), 1);
  EXPECT_EQ(machine.standbyPurgeCalls(), 1u);
  continueUntil(31);  // period 31 at 60 s
  EXPECT_EQ(engine.purgeCount(), 2);
  engine.stop();
  EXPECT_EQ(engine.purgeCount(), 2) << "stop keeps the count";

  steps.allow(32);
  ASSERT_TRUE(engine.start());
  ASSERT_TRUE(steps.waitForPauses(32));
  EXPECT_EQ(engine.purgeCount(), 2) << "a restart 2 s after a purge does not purge again";
  continueUntil(61);  // 120 s after the second purge
  EXPECT_EQ(engine.purgeCount(), 3);
  EXPECT_NE(engine.statusText().find(L"Очисток standby: 3"), std::wstring::npos);
}

// Windows refuses the purge unless the token's SeProfileSingleProcessPrivilege is enabled; an
// elevated administrator holds it disabled, a standard user cannot enable it at all.
TEST_F(BoosterTest, PurgeEnablesItsPrivilegeOrSaysItIsUnavailable) {
  struct Case {
    bool elevated;
    std::int32_t purges;
    const wchar_t* purgePart;
  };
  const Case cases[] = {{true, 1, L"Очисток standby: 1"}, {false, 0, L"Очисток standby: недоступно"}};
  for (const Case& c : cases) {
    machine.reset();
    machine.setWindowsVersion({10, 0, 18362});
    machine.setElevated(c.elevated);
    setLoad(92);
    test::SteppedPause pause;
    BoosterEngine engine({}, pause.pause());
    pause.allow(2);
    ASSERT_TRUE(engine.start());
    ASSERT_TRUE(pause.waitForPauses(2));
    EXPECT_EQ(engine.purgeCount(), c.purges) << "elevated " << c.elevated;
    EXPECT_EQ(machine.standbyPurgeCalls(), static_cast<std::uint32_t>(c.purges)) << "no purge is tried without it";
    EXPECT_EQ(machine.privilegeEnabled(Privilege::ProfileSingleProcess), c.elevated);
    const std::wstring status = engine.statusText();
    EXPECT_EQ(status.substr(status.rfind(L"Очисток")), c.purgePart) << "elevated " << c.elevated;
  }
}

TEST_F(BoosterTest, RefusedPurgeIsNotCounted) {
  setLoad(95);
  machine.failStandbyPurges();
  BoosterEngine engine({}, steps.pause());
  runUntil(engine, 2);
  EXPECT_EQ(machine.standbyPurgeCalls(), 2u) << "asked for every period";
  EXPECT_EQ(engine.purgeCount(), 0);
}

TEST_F(BoosterTest, RefusedTimerRequestIsTriedAgainNextPeriod) {
  machine.setRunningProcesses({L"valorant.exe"});
  machine.failTimerRequests();
  BoosterEngine engine({}, steps.pause());
  runUntil(engine, 1);
  EXPECT_FALSE(engine.timerActive());
  EXPECT_EQ(engine.statusText().find(L"Таймер 0.5ms: активен"), std::wstring::npos);

  machine.failTimerRequests(false);
  continueUntil(2);
  EXPECT_TRUE(engine.timerActive());
  EXPECT_EQ(machine.timerRequestCalls(), 2u);

  continueUntil(3);
  EXPECT_EQ(machine.timerRequestCalls(), 2u) << "a held resolution is not asked for again";
}

// Since Windows 10 2004 a timer request reaches only the process that makes it; Windows 11 makes
// it global again with GlobalTimerResolutionRequests = 1. Where it cannot reach the game the
// booster never holds it and says why.
TEST_F(BoosterTest, TimerIsHeldOnlyWhereTheRequestReachesTheGame) {
  struct Case {
    std::uint32_t build;
    std::optional<std::uint32_t> globalTimer;
    const wchar_t* timerPart;
  };
  const Case cases[] = {
      {18362, std::nullopt, L"активен"},
      {19041, std::nullopt, L"не действует в этой версии Windows"},
      {19045, std::nullopt, L"не действует в этой версии Windows"},
      {19045, 1, L"не действует в этой версии Windows"},
      {22631, std::nullopt, L"нужен «Глобальный таймер»"},
      {22631, 0, L"нужен «Глобальный таймер»"},
      {22631, 1, L"активен"},
      {22000, 1, L"активен"},
  };
  const std::wstring kernel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";
  for (const Case& c : cases) {
    machine.reset();
    machine.setWindowsVersion({10, 0, c.build});
    if (c.globalTimer)
      machine.setDword(RegRoot::LocalMachine, kernel, L"GlobalTimerResolutionRequests", *c.globalTimer);
    machine.setRunningProcesses({L"cs2.exe"});
    test::SteppedPause pause;
    BoosterEngine engine({}, pause.pause());
    pause.allow(2);
    ASSERT_TRUE(engine.start());
    ASSERT_TRUE(pause.waitForPauses(2));
    const bool reaches = machine.timerReachesOtherProcesses();
    EXPECT_EQ(machine.heldTimerResolution(), reaches ? 5000u : 0u) << c.build;
    EXPECT_EQ(machine.timerRequestCalls(), reaches ? 1u : 0u) << c.build;
    EXPECT_EQ(engine.timerActive(), reaches) << c.build;
    EXPECT_EQ(engine.statusText(), L"Движок: вкл  •  ОЗУ: 43%  •  Таймер 0.5ms: " + std::wstring(c.timerPart) +
                                       L"  •  Игра: найдена  •  Очисток standby: 0")
        << c.build;
    EXPECT_EQ(machine.timerThrottlingOptOuts(), 1u) << "the process opts out of timer throttling at start";
  }
}

TEST_F(BoosterTest, MissingNtdllServicesAreSkippedAndTheStatusStillUpdates) {
  machine.setNtFunctionsPresent(false, false);
  machine.setRunningProcesses({L"cs2.exe"});
  setLoad(97);
  BoosterEngine engine({}, steps.pause());
  runUntil(engine, 2);
  EXPECT_EQ(machine.timerRequestCalls() + machine.standbyPurgeCalls(), 0u);
  EXPECT_EQ(engine.statusText(),
            L"Движок: вкл  •  ОЗУ: 97%  •  Таймер 0.5ms: ожидает  •  Игра: найдена  •  Очисток standby: 0");
}

TEST_F(BoosterTest, DisabledSettingsAndAFailedMemoryReadDoNothing) {
  machine.setRunningProcesses({L"cs2.exe"});
  setLoad(99);
  BoosterSettings off;
  off.timerEnabled = false;
  off.purgeEnabled = false;
  BoosterEngine engine(off, steps.pause());
  runUntil(engine, 1);
  EXPECT_EQ(machine.timerRequestCalls() + machine.standbyPurgeCalls(), 0u);
  EXPECT_TRUE(engine.gameDetected());

  engine.stop();
  machine.setMemory(std::nullopt);
  test::SteppedPause later;
  BoosterEngine unread({}, later.pause());
  later.allow(1);
  ASSERT_TRUE(unread.start());
  ASSERT_TRUE(later.waitForPauses(1));
  EXPECT_EQ(unread.memoryLoad(), 0) << "no reading, no value";
  EXPECT_EQ(unread.purgeCount(), 0);
}

TEST_F(BoosterTest, PauseIsTheIntervalInWholeHundredsOfMilliseconds) {
  BoosterSettings odd;
  odd.intervalMs = 2050;
  BoosterEngine standard({}, steps.pause());
  runUntil(standard, 1);
  standard.stop();
  test::SteppedPause other;
  BoosterEngine engine(odd, other.pause());
  other.allow(1);
  ASSERT_TRUE(engine.start());
  ASSERT_TRUE(other.waitForPauses(1));
  EXPECT_EQ(steps.requestedMs(), std::vector<std::uint32_t>{2000});
  EXPECT_EQ(other.requestedMs(), std::vector<std::uint32_t>{2000});
}

TEST_F(BoosterTest, TwoStartsMakeOneThread) {
  int threads = 0;
  BoosterEngine engine({}, steps.pause(), [&](std::function<void()> body) {
    ++threads;
    return std::thread(std::move(body));
  });
  EXPECT_TRUE(engine.start());
  EXPECT_TRUE(engine.start());
  EXPECT_EQ(threads, 1);
  engine.stop();
  engine.stop();
  EXPECT_TRUE(engine.start());
  EXPECT_EQ(threads, 2);
}

TEST_F(BoosterTest, ThreadThatCannotBeCreatedLeavesTheEngineStopped) {
  BoosterEngine engine({}, steps.pause(), [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  EXPECT_FALSE(engine.start());
  EXPECT_FALSE(engine.isRunning());
  EXPECT_EQ(engine.statusText(), L"Движок выключен");
  EXPECT_FALSE(engine.start()) << "a second try fails the same way instead of claiming to run";
}

TEST_F(BoosterTest, StopFromTheLoopItselfEndsTheLoopWithoutJoiningItself) {
  machine.setRunningProcesses({L"cs2.exe"});
  setLoad(90);
  BoosterEngine* self = nullptr;
  // Each pause also lets a minute pass, so the second run may purge again.
  BoosterEngine engine({}, [&](std::uint32_t, const std::atomic<bool>&) {
    machine.advanceMs(60'000);
    self->stop();
  });
  self = &engine;
  ASSERT_TRUE(engine.start());
  for (int i = 0; i < 1000 && (engine.isRunning() || machine.heldTimerResolution() != 0); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_FALSE(engine.isRunning());
  EXPECT_EQ(machine.heldTimerResolution(), 0u) << "the loop released the timer on its way out";

  ASSERT_TRUE(engine.start()) << "the ended thread is collected by the next start";
  for (int i = 0; i < 1000 && engine.purgeCount() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(engine.purgeCount(), 2);
  engine.stop();
}

TEST_F(BoosterTest, StopDuringTheRealPauseReturnsWithinAboutASlice) {
  BoosterEngine engine;  // the 2 s period in 100 ms slices
  ASSERT_TRUE(engine.start());
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const auto before = std::chrono::steady_clock::now();
  engine.stop();
  const auto took = std::chrono::steady_clock::now() - before;
  EXPECT_LT(took, std::chrono::milliseconds(600)) << "stop waited for the whole period";
}

TEST_F(BoosterTest, ConcurrentStartStopAndStatusReads) {
  machine.setRunningProcesses({L"cs2.exe"});
  setLoad(90);
  BoosterEngine engine({}, [](std::uint32_t, const std::atomic<bool>&) { std::this_thread::yield(); });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&engine, t] {
      for (int i = 0; i < 50; ++i) {
        if ((i + t) % 2 == 0) {
          EXPECT_TRUE(engine.start());
        } else {
          engine.stop();
        }
        EXPECT_FALSE(engine.statusText().empty());
      }
    });
  }
  for (auto& thread : threads) thread.join();
  engine.stop();
  EXPECT_EQ(machine.heldTimerResolution(), 0u);
  EXPECT_EQ(engine.statusText(), L"Движок выключен");
  EXPECT_EQ(&BoosterEngine::instance(), &BoosterEngine::instance());
  EXPECT_FALSE(BoosterEngine::instance().isRunning()) << "off until asked";
}

}  // namespace
}  // namespace vx
