// The engine with fake tweaks on the simulated machine: when safety nets are built, which tweaks
// are skipped, how results are counted, the card toggle's texts, and tweaks that throw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine.h"
#include "core/state_cache.h"
#include "platform/files.h"
#include "platform/sim/machine.h"
#include "support/fake_tweak.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using test::FakeTweak;
using test::makeFake;

const std::wstring kRoot = L"C:\\ProgramData\\Vantorix\\Backups";

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::machine().reset();
    sim::machine().setLocalTime(CalendarTime{2026, 3, 10, 14, 5, 9, 0});
    test::installSystemTools(sim::machine());
    sim::machine().createKey(RegRoot::LocalMachine, L"SOFTWARE\\A");
  }
  static std::vector<std::wstring> runFolders() {
    std::vector<std::wstring> names;
    for (const auto& e : listDirectory(kRoot).value_or(std::vector<DirEntry>{})) names.push_back(e.name);
    return names;
  }
  static std::shared_ptr<FakeTweak> aggressiveFake(std::wstring id, std::vector<BackupKey> keys = {}) {
    auto t = makeFake(std::move(id));
    t->aggressive = true;
    t->keys = std::move(keys);
    return t;
  }
};

TEST_F(EngineTest, PlainTweakIsAppliedWithoutAnySafetyNet) {
  auto t = makeFake(L"a");
  const ApplyResult r = applyOne(*t);
  EXPECT_TRUE(r.applied);
  EXPECT_FALSE(r.backupsOk);
  EXPECT_FALSE(r.restorePointCreated);
  EXPECT_EQ(r.backupDir, L"");
  EXPECT_EQ(r.message, L"");
  EXPECT_EQ(fileStatus(kRoot).kind, FileKind::Missing);
  EXPECT_TRUE(sim::machine().restorePoints().empty());
}

TEST_F(EngineTest, AggressiveTweakGetsAFolderNamedByItsIdAndARestorePoint) {
  auto t = aggressiveFake(L"perf.gpu_msi", {{RegRoot::LocalMachine, L"SOFTWARE\\A"}});
  const ApplyResult r = applyOne(*t);
  EXPECT_TRUE(r.applied);
  EXPECT_TRUE(r.backupsOk);
  EXPECT_TRUE(r.restorePointCreated);
  EXPECT_EQ(r.backupDir, kRoot + L"\\2026-03-10_14-05-09_perf.gpu_msi");
  EXPECT_EQ(sim::machine().restorePoints(), std::vector<std::wstring>{L"Vantorix: perf.gpu_msi"});
  EXPECT_EQ(fileStatus(r.backupDir + L"\\0.reg").kind, FileKind::File);
}

TEST_F(EngineTest, WithoutABackupFolderNothingIsApplied) {
  sim::machine().setProgramDataFolder(std::nullopt);
  auto t = aggressiveFake(L"x");
  const ApplyResult one = applyOne(*t);
  EXPECT_FALSE(one.applied);
  EXPECT_EQ(one.message, L"Не удалось создать каталог бэкапа.");
  auto plain = makeFake(L"plain");
  const ApplyResult batch = applyBatch({plain, t}, L"selected_batch");
  EXPECT_FALSE(batch.applied);
  EXPECT_EQ(batch.message, L"Не удалось создать каталог бэкапа.");
  EXPECT_EQ(t->applies + plain->applies, 0);
}

// A batch goes on with its other tweaks; only the aggressive ones whose own keys failed are left out.
TEST_F(EngineTest, BatchLeavesOutAggressiveTweaksWhoseKeysFailedToExport) {
  auto& m = sim::machine();
  m.createKey(RegRoot::CurrentUser, L"Software\Locked");
  m.denyKeyAccess(RegRoot::CurrentUser, L"Software\Locked");
  auto saved = aggressiveFake(L"saved", {{RegRoot::LocalMachine, L"SOFTWARE\A"}});
  auto lost = aggressiveFake(L"lost", {{RegRoot::LocalMachine, L"SOFTWARE\A"}, {RegRoot::CurrentUser, L"Software\Locked"}});
  auto plain = makeFake(L"plain");
  const ApplyResult r = applyBatch({saved, lost, plain}, L"selected_batch");
  EXPECT_TRUE(r.applied);
  EXPECT_FALSE(r.backupsOk);
  EXPECT_EQ(saved->applies, 1);
  EXPECT_EQ(lost->applies, 0);
  EXPECT_EQ(plain->applies, 1);
  const ApplyResult one = applyOne(*lost);
  EXPECT_FALSE(one.applied);
  EXPECT_EQ(one.message, L"Не удалось сохранить бэкап — твик не применён");
  EXPECT_EQ(lost->applies, 0);
}

TEST_F(EngineTest, FailedApplyIsReported) {
  auto t = makeFake(L"a");
  t->applyOk = false;
  const ApplyResult r = applyOne(*t);
  EXPECT_FALSE(r.applied);
  EXPECT_EQ(r.message, L"Применение твика завершилось ошибкой.");
}

TEST_F(EngineTest, OneSafetyNetCoversTheWholeBatch) {
  auto& m = sim::machine();
  m.createKey(RegRoot::CurrentUser, L"Software\\B");
  auto first = aggressiveFake(L"first", {{RegRoot::LocalMachine, L"SOFTWARE\\A"}});
  auto plain = makeFake(L"plain");
  auto second = aggressiveFake(L"second", {{RegRoot::CurrentUser, L"Software\\B"}, {RegRoot::LocalMachine, L"SOFTWARE\\A"}});
  const ApplyResult r = applyBatch({first, plain, second}, L"selected_batch");
  EXPECT_TRUE(r.applied);
  EXPECT_TRUE(r.backupsOk);
  EXPECT_TRUE(r.restorePointCreated);
  EXPECT_EQ(r.message, L"");
  EXPECT_EQ(runFolders(), std::vector<std::wstring>{L"2026-03-10_14-05-09_selected_batch"});
  EXPECT_EQ(m.restorePoints(), std::vector<std::wstring>{L"Vantorix: selected_batch"});
  // keys in list order, duplicates kept
  std::vector<std::wstring> exported;
  for (const auto& p : m.startedPrograms())
    if (p.commandLine.find(L"reg.exe\" export") != std::wstring::npos) exported.push_back(p.commandLine);
  ASSERT_EQ(exported.size(), 3u);
  EXPECT_NE(exported[0].find(L"\"HKLM\\SOFTWARE\\A\" \"" + r.backupDir + L"\\0.reg\""), std::wstring::npos);
  EXPECT_NE(exported[1].find(L"\"HKCU\\Software\\B\" \"" + r.backupDir + L"\\1.reg\""), std::wstring::npos);
  EXPECT_NE(exported[2].find(L"\"HKLM\\SOFTWARE\\A\" \"" + r.backupDir + L"\\2.reg\""), std::wstring::npos);
  EXPECT_EQ(first->applies + plain->applies + second->applies, 3);
}

TEST_F(EngineTest, BatchWithoutAggressiveTweaksMakesNoFolderAndNoRestorePoint) {
  const ApplyResult r = applyBatch({makeFake(L"a"), makeFake(L"b")}, L"selected_batch");
  EXPECT_TRUE(r.applied);
  EXPECT_FALSE(r.backupsOk);
  EXPECT_FALSE(r.restorePointCreated);
  EXPECT_EQ(fileStatus(kRoot).kind, FileKind::Missing);
  EXPECT_TRUE(sim::machine().restorePoints().empty());
  EXPECT_TRUE(sim::machine().startedPrograms().empty());
}

TEST_F(EngineTest, AggressiveTweakWithoutKeysStillGetsFolderAndRestorePoint) {
  const ApplyResult r = applyBatch({aggressiveFake(L"a")}, L"ai_recommendation");
  EXPECT_TRUE(r.backupsOk);
  EXPECT_TRUE(r.restorePointCreated);
  EXPECT_EQ(runFolders(), std::vector<std::wstring>{L"2026-03-10_14-05-09_ai_recommendation"});
}

TEST_F(EngineTest, BatchSkipsOnlyUnavailableTweaks) {
  auto unavailable = makeFake(L"u");
  unavailable->state = TweakState::Unavailable;
  auto applied = makeFake(L"p");
  applied->state = TweakState::Applied;
  auto undetermined = makeFake(L"d");
  undetermined->state = TweakState::Undetermined;
  const ApplyResult r = applyBatch({unavailable, applied, undetermined}, L"selected_batch");
  EXPECT_TRUE(r.applied);
  EXPECT_EQ(unavailable->applies, 0);
  EXPECT_EQ(applied->applies, 1);  // applied again
  EXPECT_EQ(undetermined->applies, 1);
}

TEST_F(EngineTest, BatchWhereNothingGetsAppliedSaysSo) {
  auto unavailable = makeFake(L"u");
  unavailable->state = TweakState::Unavailable;
  auto failing = aggressiveFake(L"f");
  failing->applyOk = false;
  const ApplyResult r = applyBatch({unavailable, failing}, L"selected_batch");
  EXPECT_FALSE(r.applied);
  EXPECT_TRUE(r.backupsOk);  // the safety net itself worked
  EXPECT_EQ(r.message, L"Ни один твик не был применён.");
  EXPECT_EQ(applyBatch({}, L"x").message, L"Ни один твик не был применён.");
}

TEST_F(EngineTest, CategoryRunCountsAndSkips) {
  auto unavailable = makeFake(L"u", TweakCategory::Network);
  unavailable->state = TweakState::Unavailable;
  auto failing = makeFake(L"f", TweakCategory::Network);
  failing->applyOk = failing->revertOk = false;
  auto other = makeFake(L"o", TweakCategory::Privacy);
  auto good = makeFake(L"g", TweakCategory::Network);
  good->aggressive = true;  // category runs build no safety net, even for aggressive tweaks
  const std::vector<TweakPtr> list = {unavailable, failing, other, good};

  EXPECT_EQ(runCategory(list, TweakCategory::Network, false), (CategoryRunCounts{1, 1, 1}));
  EXPECT_EQ(other->applies, 0);
  EXPECT_EQ(fileStatus(kRoot).kind, FileKind::Missing);
  EXPECT_TRUE(sim::machine().restorePoints().empty());

  // Revert also reverts tweaks that were never applied.
  failing->state = TweakState::NotApplied;
  EXPECT_EQ(runCategory(list, TweakCategory::Network, true), (CategoryRunCounts{1, 1, 1}));
  EXPECT_EQ(failing->reverts, 1);
  EXPECT_EQ(unavailable->reverts, 0);
  EXPECT_EQ(runCategory(list, TweakCategory::Cleanup, false), (CategoryRunCounts{0, 0, 0}));
}

struct ToggleCase {
  const char* name;
  TweakState state;
  bool aggressive, applyOk, revertOk, regExeWorks, restorePointWorks;
  const wchar_t* suffix;
  StatusOutcome outcome;
  int applies, reverts;
};

void PrintTo(const ToggleCase& c, std::ostream* os) { *os << c.name; }

class ToggleTest : public EngineTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleTest, TextOutcomeAndAction) {
  const ToggleCase& c = GetParam();
  auto& m = sim::machine();
  if (!c.regExeWorks) m.addProgram(test::simRegExePath(), 1);
  m.setRestorePointsSucceed(c.restorePointWorks);
  auto t = aggressiveFake(L"perf.x", {{RegRoot::LocalMachine, L"SOFTWARE\\A"}});
  t->aggressive = c.aggressive;
  t->state = c.state;
  t->applyOk = c.applyOk;
  t->revertOk = c.revertOk;
  const StatusText s = toggleTweak(*t);
  EXPECT_EQ(s.text, L"Твик perf.x" + std::wstring(c.suffix));
  EXPECT_EQ(s.outcome, c.outcome);
  EXPECT_EQ(t->applies, c.applies);
  EXPECT_EQ(t->reverts, c.reverts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToggleTest,
    ::testing::Values(
        ToggleCase{"revert", TweakState::Applied, true, true, true, true, true, L": откачено", StatusOutcome::Success, 0, 1},
        ToggleCase{"revertFails", TweakState::Applied, false, true, false, true, true, L": ошибка отката",
                   StatusOutcome::Failure, 0, 1},
        ToggleCase{"unavailable", TweakState::Unavailable, true, true, true, true, true, L": не поддерживается",
                   StatusOutcome::Neutral, 0, 0},
        ToggleCase{"plainApply", TweakState::NotApplied, false, true, true, true, true, L": применено",
                   StatusOutcome::Success, 1, 0},
        ToggleCase{"undeterminedIsApplied", TweakState::Undetermined, false, true, true, true, true, L": применено",
                   StatusOutcome::Success, 1, 0},
        ToggleCase{"aggressiveApply", TweakState::NotApplied, true, true, true, true, true,
                   L": применено  •  Бэкап создан  •  Точка восстановления готова", StatusOutcome::Success, 1, 0},
        ToggleCase{"noRestorePoint", TweakState::NotApplied, true, true, true, true, false,
                   L": применено  •  Бэкап создан", StatusOutcome::Success, 1, 0},
        // Without its exported keys an aggressive tweak is not applied at all.
        ToggleCase{"exportFailed", TweakState::NotApplied, true, true, true, false, true,
                   L": Не удалось сохранить бэкап — твик не применён", StatusOutcome::Failure, 0, 0},
        ToggleCase{"applyFails", TweakState::NotApplied, true, false, true, true, true, L": ошибка применения",
                   StatusOutcome::Failure, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ToggleOfAnAppliedAggressiveTweakRevertsWithoutNetThenAppliesWithANewOne) {
  auto t = aggressiveFake(L"perf.gpu_msi");
  t->state = TweakState::Applied;
  toggleTweak(*t);
  EXPECT_EQ(t->reverts, 1);
  EXPECT_EQ(fileStatus(kRoot).kind, FileKind::Missing);
  toggleTweak(*t);
  EXPECT_EQ(t->applies, 1);
  EXPECT_EQ(runFolders().size(), 1u);
  EXPECT_EQ(sim::machine().restorePoints().size(), 1u);
}

TEST_F(EngineTest, ToggleClearsTheStateCacheUnlessUnavailable) {
  auto& cache = TweakStateCache::instance();
  cache.clear();
  auto t = makeFake(L"cached");
  cache.cachedState(*t, 60000);
  const int before = t->queries;
  toggleTweak(*t);  // one query of its own
  cache.cachedState(*t, 60000);
  EXPECT_EQ(t->queries, before + 2);

  t->state = TweakState::Unavailable;
  cache.cachedState(*t, 0);
  const int queriesBefore = t->queries;
  toggleTweak(*t);
  cache.cachedState(*t, 60000);
  EXPECT_EQ(t->queries, queriesBefore + 1);  // the entry survived
  cache.clear();
}

// Whatever a tweak throws stays inside the engine and counts as a failure.
TEST_F(EngineTest, ThrowingTweaksCountAsFailures) {
  auto throwsApply = makeFake(L"a", TweakCategory::System);
  throwsApply->throwOnApply = true;
  auto throwsRevert = makeFake(L"r", TweakCategory::System);
  throwsRevert->throwOnRevert = true;
  throwsRevert->state = TweakState::Applied;
  auto throwsQuery = makeFake(L"q", TweakCategory::System);
  throwsQuery->throwOnQuery = true;
  auto throwsAggressive = makeFake(L"g", TweakCategory::System);
  throwsAggressive->throwOnAggressive = true;

  EXPECT_FALSE(applyOne(*throwsApply).applied);
  EXPECT_EQ(applyOne(*throwsApply).message, L"Применение твика завершилось ошибкой.");
  EXPECT_FALSE(applyOne(*throwsAggressive).applied);
  EXPECT_EQ(throwsAggressive->applies, 0);

  EXPECT_EQ(toggleTweak(*throwsRevert).outcome, StatusOutcome::Failure);
  EXPECT_EQ(toggleTweak(*throwsApply).text, L"Твик a: ошибка применения");
  EXPECT_EQ(toggleTweak(*throwsQuery).text, L"Твик q: применено");  // an unreadable state is Undetermined

  auto fine = makeFake(L"f", TweakCategory::System);
  const ApplyResult batch = applyBatch({throwsApply, throwsQuery, throwsAggressive, fine}, L"selected_batch");
  EXPECT_TRUE(batch.applied);
  EXPECT_EQ(fine->applies, 1);
  EXPECT_EQ(throwsAggressive->applies, 0);

  EXPECT_EQ(runCategory({throwsApply, throwsQuery, fine}, TweakCategory::System, false), (CategoryRunCounts{2, 1, 0}));
  EXPECT_EQ(runCategory({throwsRevert, fine}, TweakCategory::System, true), (CategoryRunCounts{1, 1, 0}));
}

}  // namespace
}  // namespace vx
