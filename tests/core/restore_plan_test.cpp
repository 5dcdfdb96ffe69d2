// "Вернуть как было" on the simulated machine: a user's own value comes back with its type, an
// absent value is deleted again, a value changed since is skipped and reported unless forced, a
// string that is not valid UTF-16 round-trips through the journal file, a file-only tweak is not
// restorable, an aggressive tweak gets its safety net, and the restore is a journal run of its own.
#include <gtest/gtest.h>

#include "core/change_journal.h"
#include "core/engine.h"
#include "core/restore_plan.h"
#include "platform/files.h"
#include "support/described_values_tweak.h"
#include "support/sim_test.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using test::describedTweak;
using test::registryChange;

const std::wstring kKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";

class RestorePlanTest : public test::SimTest {
 protected:
  void SetUp() override {
    test::SimTest::SetUp();
    machine.setLocalTime(CalendarTime{2026, 12, 11, 17, 30, 5, 0});
    test::installSystemTools(machine);
    tdr = describedTweak(L"pro.gpu_tdr", {registryChange(kKey, L"TdrDelay", RegValueImage::dword(60)),
                                          registryChange(kKey, L"TdrDdiDelay", RegValueImage::dword(60))});
    catalog = {tdr};
  }
  static std::optional<RegRawValue> raw(const std::wstring& name) { return regReadRaw(RegRoot::LocalMachine, kKey, name); }
  RestoreReport restoreTdr(bool force = false) {
    const auto plan = planTweakRestore(readJournal(), catalog, L"pro.gpu_tdr", force);
    EXPECT_TRUE(plan);
    return plan ? carryOutRestore(*plan) : RestoreReport{};
  }

  std::shared_ptr<test::DescribedValuesTweak> tdr;
  TweakCatalog catalog;
};

TEST_F(RestorePlanTest, TheUsersOwnValueComesBackWithItsTypeAndAnAbsentOneIsDeletedAgain) {
  // The user keeps TdrDelay as a string; the tweak writes a DWORD over it.
  machine.setString(RegRoot::LocalMachine, kKey, L"TdrDelay", L"7");
  const auto own = raw(L"TdrDelay");
  ASSERT_TRUE(applyOne(*tdr).applied);
  ASSERT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 60u);

  const RestoreReport report = restoreTdr();
  EXPECT_TRUE(report.succeeded());
  EXPECT_EQ(report.written, 2);
  EXPECT_EQ(raw(L"TdrDelay"), own);
  EXPECT_EQ(raw(L"TdrDdiDelay"), std::nullopt);
  // Revert would have written the fixed default (deleted both); restore gives the user's value back.
  EXPECT_EQ(restoreStatusText(report), L"Восстановлено значений: 2");
}

TEST_F(RestorePlanTest, AValueChangedSinceIsLeftAloneAndReportedUnlessForced) {
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  ASSERT_TRUE(applyOne(*tdr).applied);
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 30);  // the user changed it since

  const auto plan = planTweakRestore(readJournal(), catalog, L"pro.gpu_tdr", false);
  ASSERT_TRUE(plan);
  const auto text = restorePlanLines(*plan);
  const std::vector<std::wstring> expected{
      L"pro.gpu_tdr — Твик pro.gpu_tdr",
      L"  HKLM\\SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers  TdrDelay: 30 → 7 (REG_DWORD) — изменено после Vantorix — пропущено",
      L"  HKLM\\SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers  TdrDdiDelay: 60 → нет (REG_DWORD)",
  };
  EXPECT_EQ(text, expected);
  // The plan changed nothing.
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDdiDelay"), 60u);

  const RestoreReport report = carryOutRestore(*plan);
  EXPECT_FALSE(report.succeeded());
  EXPECT_EQ(report.skipped, 1);
  EXPECT_EQ(report.written, 1);
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 30u);
  EXPECT_EQ(raw(L"TdrDdiDelay"), std::nullopt);

  // Forced: written all the same, from the same (older) apply.
  const RestoreReport forced = restoreTdr(true);
  EXPECT_EQ(forced.written, 1);
  EXPECT_TRUE(forced.succeeded());
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 7u);
}

TEST_F(RestorePlanTest, AStringThatIsNotValidUtf16ComesBackByteForByte) {
  const std::vector<std::uint8_t> bytes{0x00, 0xD8, 0x41, 0x00, 0x00, 0x00};  // a lone high surrogate, then "A"
  ASSERT_TRUE(regWriteRaw(RegRoot::LocalMachine, kKey, L"TdrDelay", kRegTypeSz, bytes));
  ASSERT_TRUE(applyOne(*tdr).applied);
  EXPECT_TRUE(restoreTdr().succeeded());
  EXPECT_EQ(raw(L"TdrDelay"), (RegRawValue{kRegTypeSz, bytes}));
}

TEST_F(RestorePlanTest, TheRestoreIsARunOfItsOwnWithRestoreLines) {
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  ASSERT_TRUE(applyOne(*tdr).applied);
  restoreTdr();
  const auto lines = readJournal();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].run, 2);
  EXPECT_EQ(lines[1].label, L"restore_pro.gpu_tdr");
  EXPECT_EQ(lines[1].action, JournalAction::Restore);
  EXPECT_EQ(lines[1].result, JournalResult::Ok);
  EXPECT_EQ(lines[1].values[0].before, RegValueImage::dword(60));
  EXPECT_EQ(lines[1].values[0].after, RegValueImage::dword(7));
  // A second restore finds everything as it was and writes nothing.
  const RestoreReport again = restoreTdr();
  EXPECT_TRUE(again.succeeded());
  EXPECT_EQ(again.written, 0);
}

TEST_F(RestorePlanTest, ARunIsRestoredNewestLineFirst) {
  // Two tweaks of one batch write the same value: undone newest first, the value ends as it was
  // before the first of them.
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  auto second = describedTweak(L"pro.tdr_more", {registryChange(kKey, L"TdrDelay", RegValueImage::dword(90))});
  catalog.push_back(second);
  ASSERT_TRUE(applyBatch({tdr, second}, L"selected_batch").applied);
  ASSERT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 90u);
  const auto plan = planRunRestore(readJournal(), catalog, 1, false);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->label, L"restore_run_1");
  ASSERT_EQ(plan->items.size(), 2u);
  EXPECT_EQ(plan->items[0].id, L"pro.tdr_more");
  EXPECT_TRUE(carryOutRestore(*plan).succeeded());
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 7u);
  EXPECT_FALSE(planRunRestore(readJournal(), catalog, 9, false));
}

TEST_F(RestorePlanTest, ATweakDescribedOnlyByFilesIsNotRestorable) {
  TweakChange file;
  file.kind = ChangeKind::File;
  file.key = L"C:\\Games\\cfg\\autoexec.cfg";
  file.settings = {L"fps_max 0"};
  auto config = describedTweak(L"game.cfg", {file});
  catalog.push_back(config);
  ASSERT_TRUE(applyOne(*config).applied);
  const auto plan = planTweakRestore(readJournal(), catalog, L"game.cfg", false);
  ASSERT_TRUE(plan);
  EXPECT_EQ(restorePlanLines(*plan), (std::vector<std::wstring>{L"game.cfg — Твик game.cfg",
                                                                 L"  не восстанавливается — используйте откат"}));
  const RestoreReport report = carryOutRestore(*plan);
  EXPECT_FALSE(report.succeeded());
  EXPECT_EQ(report.skipped, 1);
}

TEST_F(RestorePlanTest, AnAggressiveTweakGetsItsSafetyNetBeforeTheRestore) {
  tdr->aggressive = true;
  tdr->keys = {{RegRoot::LocalMachine, kKey}};
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);
  ASSERT_TRUE(applyOne(*tdr).applied);
  const auto before = listDirectory(L"C:\\ProgramData\\Vantorix\\Backups").value_or(std::vector<DirEntry>{}).size();
  EXPECT_TRUE(restoreTdr().succeeded());
  const auto folders = listDirectory(L"C:\\ProgramData\\Vantorix\\Backups").value_or(std::vector<DirEntry>{});
  ASSERT_EQ(folders.size(), before + 1);
  // Without the exported key nothing is restored.
  ASSERT_TRUE(applyOne(*tdr).applied);
  machine.addProgram(test::simRegExePath(), 1);
  const RestoreReport refused = restoreTdr();
  EXPECT_EQ(refused.failed, 1);
  EXPECT_EQ(regReadDword(RegRoot::LocalMachine, kKey, L"TdrDelay"), 60u);
}

}  // namespace
}  // namespace vx
