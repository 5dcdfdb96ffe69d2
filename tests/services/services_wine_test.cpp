// The booster, the monitor and the maintenance actions against the real Win32 calls (run under
// Wine): the prefix's Temp folder is cleaned with the test's own files counted and a Unix symlink
// skipped, ipconfig and the recycle bin answer, a process named like a game makes the booster hold
// the timer, and the monitor records real loads.
#include <gtest/gtest.h>

#include <ctime>

#include "base/text.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/performance.h"
#include "platform/process.h"
#include "platform/scene.h"
#include "platform/system.h"
#include "services/booster_engine.h"
#include "services/resource_monitor.h"
#include "services/shell_actions.h"
#include "services/stepped_pause.h"
#include "services/temp_cleanup.h"

namespace vx {
namespace {

class ServicesUnderWine : public ::testing::Test {
 protected:
  void SetUp() override { scene::reset(); }
  static bool exists(const std::wstring& p) { return fileStatus(p).kind != FileKind::Missing; }
};

TEST_F(ServicesUnderWine, TempCleanupCountsOurFilesAndSkipsASymlinkOutOfTemp) {
  const auto programData = programDataFolder();
  ASSERT_TRUE(programData.has_value());
  const std::wstring outside = joinPath(*programData, L"vx-link-target-" + std::to_wstring(std::time(nullptr)));
  ASSERT_TRUE(createDirectories(joinPath(outside, L"deep")));
  ASSERT_TRUE(writeFileBytes(joinPath(outside, L"keep.txt"), "keep"));
  ASSERT_TRUE(writeFileBytes(joinPath(outside, L"deep\\keep2.txt"), "keep"));

  const std::wstring ours = scene::scratchFolder();  // inside the user's Temp folder
  ASSERT_EQ(ours.rfind(tempDirectory().value_or(L"?"), 0), 0u) << "the scratch folder is not in Temp";
  ASSERT_TRUE(createDirectories(joinPath(ours, L"nested\\deeper")));
  ASSERT_TRUE(writeFileBytes(joinPath(ours, L"a.tmp"), std::string(3 << 19, 'a')));
  ASSERT_TRUE(writeFileBytes(joinPath(ours, L"nested\\b.tmp"), "b"));
  ASSERT_TRUE(writeFileBytes(joinPath(ours, L"nested\\deeper\\c.tmp"), "c"));
  ASSERT_TRUE(writeFileBytes(joinPath(ours, L"readonly.tmp"), "r"));
  ASSERT_TRUE(scene::makeReadOnly(joinPath(ours, L"readonly.tmp")));
  ASSERT_TRUE(writeFileBytes(joinPath(ours, L"busy.tmp"), "busy"));
  const bool linked = scene::makeDirectoryLink(joinPath(ours, L"link-out"), outside);

  CleanupResult result;
  {
    const auto held = scene::holdOpen(joinPath(ours, L"busy.tmp"));
    ASSERT_TRUE(held);
    result = cleanTempFiles();
  }
  for (const wchar_t* gone : {L"a.tmp", L"nested\\b.tmp", L"nested\\deeper", L"readonly.tmp"})
    EXPECT_FALSE(exists(joinPath(ours, gone))) << toUtf8(gone);
  EXPECT_TRUE(exists(joinPath(ours, L"busy.tmp"))) << "a file in use stays";
  EXPECT_GE(result.filesDeleted, 4u);
  EXPECT_GE(result.failedDeletions, 1u);
  EXPECT_GE(result.megabytesFreed, 1u) << "the 1.5 MiB file alone is one whole MiB";
  EXPECT_TRUE(exists(ours)) << "a folder that keeps a file stays";

  if (linked) {
    EXPECT_TRUE(fileStatus(joinPath(ours, L"link-out")).isLink) << "the link is skipped, not removed";
  } else {
    ADD_FAILURE() << "no Unix symlink could be made, the link case did not run";
  }
  EXPECT_EQ(readFileBytes(joinPath(outside, L"keep.txt")), std::string("keep"));
  EXPECT_EQ(readFileBytes(joinPath(outside, L"deep\\keep2.txt")), std::string("keep"));

  removeFile(joinPath(outside, L"deep\\keep2.txt"));
  removeFile(joinPath(outside, L"keep.txt"));
  removeEmptyDirectory(joinPath(outside, L"deep"));
  removeEmptyDirectory(outside);
}

TEST_F(ServicesUnderWine, DnsFlushStartsIpconfigAndTheRecycleBinAnswersOk) {
  EXPECT_TRUE(flushDnsCache()) << "ipconfig.exe could not be started from System32";
  EXPECT_TRUE(emptyRecycleBin()) << "Wine's SHEmptyRecycleBinW answers S_OK";
}

TEST_F(ServicesUnderWine, ProcessNamedLikeAGameMakesTheBoosterHoldTheTimer) {
  {
    test::SteppedPause steps;
    BoosterEngine engine({}, steps.pause());
    steps.allow(1);
    ASSERT_TRUE(engine.start());
    ASSERT_TRUE(steps.waitForPauses(1));
    EXPECT_FALSE(engine.gameDetected()) << "a fresh prefix runs no game";
    EXPECT_GE(engine.memoryLoad(), 1);
    EXPECT_LE(engine.memoryLoad(), 100);
  }

  const std::wstring game = joinPath(scene::scratchFolder(), L"cs2.exe");
  ASSERT_TRUE(copyFile(scene::childProgramPath(), game, true));
  ASSERT_TRUE(startHiddenProcess(L"\"" + game + L"\" 0 5000"));
  test::SteppedPause steps;
  BoosterEngine engine({}, steps.pause());
  steps.allow(1);
  ASSERT_TRUE(engine.start());
  ASSERT_TRUE(steps.waitForPauses(1));
  EXPECT_TRUE(engine.gameDetected());
  EXPECT_TRUE(engine.timerActive()) << "NtSetTimerResolution refused 0.5 ms";
  EXPECT_NE(engine.statusText().find(L"Таймер 0.5ms: активен  •  Игра: найдена"), std::wstring::npos);
  engine.stop();
  EXPECT_FALSE(engine.timerActive());
  EXPECT_EQ(engine.statusText(), L"Движок выключен");
}

TEST_F(ServicesUnderWine, MonitorRecordsRealLoadsAndZeroForTheMissingGpuCounter) {
  test::SteppedPause steps;
  ResourceMonitor monitor([&](std::uint32_t ms, const std::atomic<bool>& running) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // let system time pass
    steps.pause()(ms, running);
  });
  steps.allow(3);
  ASSERT_TRUE(monitor.start());
  ASSERT_TRUE(steps.waitForPauses(3));
  monitor.stop();
  const MonitorSnapshot s = monitor.snapshot();
  EXPECT_EQ(s.ramHistory.size(), 3u);
  EXPECT_LE(s.cpuHistory.size(), 2u);
  for (const auto v : s.ramHistory) EXPECT_TRUE(v >= 1 && v <= 100) << v;
  for (const auto v : s.cpuHistory) EXPECT_TRUE(v >= 0 && v <= 100) << v;
  EXPECT_FALSE(GpuEngineCounter().usable()) << "Wine has no GPU engine counters; the GPU path ran only in tests";
  EXPECT_EQ(s.gpuHistory, (std::vector<std::int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace vx
