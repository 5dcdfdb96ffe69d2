// Journal runs on the simulated machine: one run per engine action with the values read just
// before and just after each step, runs that join an outer one, the file kept to its size bound
// with whole runs dropped, and two processes appending at once through the change lock.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "core/change_journal.h"
#include "core/engine.h"
#include "core/journal_run.h"
#include "core/read_limits.h"
#include "platform/files.h"
#include "support/described_values_tweak.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::describedTweak;
using test::registryChange;

const std::wstring kKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
const std::wstring kJournal = L"C:\\ProgramData\\Vantorix\\journal.jsonl";

class JournalRunTest : public test::SimTest {
 protected:
  void SetUp() override {
    test::SimTest::SetUp();
    machine.setLocalTime(CalendarTime{2026, 12, 11, 17, 30, 5, 0});
  }
  static std::vector<JournalLine> lines() { return readJournalFile(kJournal); }
};

TEST_F(JournalRunTest, EachEngineActionIsOneRunWithTheValuesBeforeAndAfter) {
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  auto tdr = describedTweak(L"pro.gpu_tdr", {registryChange(kKey, L"TdrDelay", RegValueImage::dword(60)),
                                             registryChange(kKey, L"TdrDdiDelay", RegValueImage::dword(60))});
  auto other = describedTweak(L"perf.other", {registryChange(L"SOFTWARE\\A", L"X", RegValueImage::string(L"1"))});
  auto failing = test::makeFake(L"perf.fails");
  failing->applyOk = false;

  ASSERT_TRUE(applyOne(*tdr).applied);
  ASSERT_TRUE(applyBatch({other, failing}, L"profile_Максимум").applied);
  ASSERT_EQ(revertWithStatus(*tdr).outcome, StatusOutcome::Success);
  runCategory({other}, TweakCategory::Performance, true);

  const auto all = lines();
  ASSERT_EQ(all.size(), 5u);
  struct Expected {
    std::int64_t run;
    const wchar_t* label;
    const wchar_t* id;
    JournalAction action;
    JournalResult result;
  };
  const Expected expected[] = {
      {1, L"apply_pro.gpu_tdr", L"pro.gpu_tdr", JournalAction::Apply, JournalResult::Ok},
      {2, L"profile_Максимум", L"perf.other", JournalAction::Apply, JournalResult::Ok},
      {2, L"profile_Максимум", L"perf.fails", JournalAction::Apply, JournalResult::Failed},
      {3, L"revert_pro.gpu_tdr", L"pro.gpu_tdr", JournalAction::Revert, JournalResult::Ok},
      {4, L"category_Производительность_revert", L"perf.other", JournalAction::Revert, JournalResult::Ok},
  };
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].run, expected[i].run) << i;
    EXPECT_EQ(all[i].label, expected[i].label) << i;
    EXPECT_EQ(all[i].id, expected[i].id) << i;
    EXPECT_EQ(all[i].action, expected[i].action) << i;
    EXPECT_EQ(all[i].result, expected[i].result) << i;
    EXPECT_EQ(all[i].time, L"2026-12-11 17:30:05") << i;
  }
  ASSERT_EQ(all[0].values.size(), 2u);
  EXPECT_EQ(all[0].values[0].before, RegValueImage::dword(7));
  EXPECT_EQ(all[0].values[0].after, RegValueImage::dword(60));
  EXPECT_EQ(all[0].values[1].before, RegValueImage::absent());
  EXPECT_EQ(all[0].values[1].after, RegValueImage::dword(60));
  // The revert deletes the value, and the line reads that back.
  EXPECT_EQ(all[3].values[0].after, RegValueImage::absent());
}

TEST_F(JournalRunTest, EngineCallsInsideAnOuterRunJoinIt) {
  auto a = describedTweak(L"a", {registryChange(L"SOFTWARE\\A", L"X", RegValueImage::dword(1))});
  auto b = describedTweak(L"b", {registryChange(L"SOFTWARE\\A", L"Y", RegValueImage::dword(1))});
  {
    const JournalRun outer(L"import_set");
    applyOne(*a);
    applyBatch({b}, L"selected_batch");
    EXPECT_EQ(outer.number(), 1);
  }
  applyOne(*a);
  const auto all = lines();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].label, L"import_set");
  EXPECT_EQ(all[1].label, L"import_set");
  EXPECT_EQ(all[1].run, 1);
  EXPECT_EQ(all[2].run, 2);
  EXPECT_EQ(JournalRun::current(), nullptr);
}

TEST_F(JournalRunTest, TheFileKeepsItsNewestRunsWithinTheBound) {
  // Lines of about 6 KiB each, three to a run.
  std::vector<JournalValue> values;
  for (int i = 0; i < 30; ++i) {
    JournalValue v;
    v.key = L"SOFTWARE\\Some\\Long\\Key\\Path\\For\\The\\Test\\" + std::to_wstring(i);
    v.valueName = L"Value" + std::to_wstring(i);
    v.before = RegValueImage::raw(kRegTypeBinary, std::vector<std::uint8_t>(40, 0xAB));
    v.after = RegValueImage::dword(1);
    values.push_back(v);
  }
  std::int64_t lastRun = 0;
  for (int run = 0; run < 75; ++run) {  // about 2.5 MiB in all: the bound is crossed twice
    JournalRun r(L"run");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(r.append(L"t" + std::to_wstring(i), JournalAction::Apply, JournalResult::Ok, values));
    lastRun = r.number();
    ASSERT_LE(fileStatus(kJournal).size, kJournalFileLimit) << "after run " << lastRun;
  }
  const auto runs = journalRuns(lines());
  EXPECT_EQ(runs.front().run, lastRun);
  EXPECT_EQ(lastRun, 75) << "numbers keep rising after old runs were dropped";
  EXPECT_GT(runs.back().run, 1);
  for (const auto& run : runs) EXPECT_EQ(run.lines.size(), 3u) << "run " << run.run;
  EXPECT_GT(fileStatus(kJournal).size, kJournalFileLimit / 2);
}

TEST_F(JournalRunTest, TwoProcessesAppendingAtOnceLoseNoLine) {
  constexpr int kLines = 150;
  const auto writer = [](std::wstring label) {
    JournalRun run(label);
    for (int i = 0; i < kLines; ++i)
      run.append(label + L"." + std::to_wstring(i), JournalAction::Apply, JournalResult::Ok,
                 {JournalValue{ChangeKind::RegistryValue, RegRoot::LocalMachine, L"K", L"V", RegValueImage::dword(i),
                               RegValueImage::dword(i + 1)}});
  };
  std::thread first(writer, L"first");
  std::thread second(writer, L"second");
  first.join();
  second.join();
  const auto all = lines();
  ASSERT_EQ(all.size(), 2u * kLines);
  std::set<std::wstring> ids;
  std::set<std::int64_t> runs;
  for (const auto& line : all) {
    ids.insert(line.id);
    runs.insert(line.run);
  }
  EXPECT_EQ(ids.size(), 2u * kLines);
  EXPECT_EQ(runs, (std::set<std::int64_t>{1, 2}));
}

TEST_F(JournalRunTest, NothingIsJournalledWithoutAPrivateFolderAndTheStepStillRuns) {
  machine.setProgramDataFolder(std::nullopt);
  auto a = describedTweak(L"a", {registryChange(L"SOFTWARE\\A", L"X", RegValueImage::dword(1))});
  EXPECT_TRUE(applyOne(*a).applied);
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, L"SOFTWARE\\A", L"X"), 1u);
  EXPECT_EQ(fileStatus(kJournal).kind, FileKind::Missing);
}

}  // namespace
}  // namespace vx
