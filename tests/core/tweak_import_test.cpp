// Importing a kept set with fake tweaks on the simulated machine: what the plan says per id, one
// safety net and one journal run labelled "import" for the batch, already applied tweaks left out of the
// batch, and the outcome that decides vxctl's exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/change_journal.h"
#include "core/tweak_import.h"
#include "platform/files.h"
#include "platform/sim/machine.h"
#include "support/fake_tweak.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using test::makeFake;

class TweakImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::machine().reset();
    sim::machine().setLocalTime(CalendarTime{2026, 3, 10, 14, 5, 9, 0});
    test::installSystemTools(sim::machine());
    sim::machine().createKey(RegRoot::LocalMachine, L"SOFTWARE\\A");
    first->aggressive = true;
    first->keys = {{RegRoot::LocalMachine, L"SOFTWARE\\A"}};
    second->aggressive = true;
    done->state = TweakState::Applied;
    missing->state = TweakState::Unavailable;
  }

  std::shared_ptr<test::FakeTweak> first = makeFake(L"agg.first"), plain = makeFake(L"plain"),
                                   second = makeFake(L"agg.second"), done = makeFake(L"done"),
                                   missing = makeFake(L"missing");
  TweakCatalog catalog{first, plain, second, done, missing};
};

TEST_F(TweakImportTest, PlanSaysPerIdWhatWouldHappenAndChangesNothing) {
  const ImportPlan plan = planImport(catalog, {L"missing", L"nope", L"done", L"plain", L"plain"});
  ASSERT_EQ(plan.lines.size(), 4u);  // the repeated id is planned once
  std::vector<std::wstring> lines;
  for (const auto& line : plan.lines) lines.push_back(importDryRunLine(line));
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"missing\tТвик missing\tнедоступен: не поддерживается",
                                              L"nope\t\tнеизвестный id — пропущен",
                                              L"done\tТвик done\tуже применён",
                                              L"plain\tТвик plain\tбудет применён"}));
  EXPECT_EQ(plan.knownCount(), 3);
  EXPECT_EQ(plan.batch(), std::vector<TweakPtr>{plain});
  EXPECT_EQ(plain->applies + done->applies + missing->applies, 0);
  EXPECT_TRUE(sim::machine().restorePoints().empty());
}

TEST_F(TweakImportTest, OneSafetyNetForTheAggressiveOnesAndAlreadyAppliedOnesAreLeftOut) {
  const ImportPlan plan = planImport(catalog, {L"agg.second", L"done", L"nope", L"plain", L"agg.first", L"missing"});
  const ImportOutcome outcome = runImport(plan);

  EXPECT_EQ(sim::machine().restorePoints(), std::vector<std::wstring>{L"Vantorix: import"});
  const auto folders = listDirectory(L"C:\\ProgramData\\Vantorix\\Backups").value_or(std::vector<DirEntry>{});
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].name, L"2026-03-10_14-05-09_import");
  EXPECT_EQ(first->applies, 1);
  EXPECT_EQ(second->applies, 1);
  EXPECT_EQ(plain->applies, 1);
  EXPECT_EQ(done->applies, 0);     // already Applied: not in the batch
  EXPECT_EQ(missing->applies, 0);  // Unavailable: never applied
  EXPECT_EQ(outcome.appliedNow, 3);
  EXPECT_EQ(outcome.alreadyApplied, 1);
  EXPECT_EQ(outcome.notApplied, 1);
  EXPECT_FALSE(outcome.complete());  // the Unavailable tweak of the file was not applied
  // One journal run for the whole import, a line per tweak it applied.
  const auto runs = journalRuns(readJournal());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].label, L"import");
  std::vector<std::wstring> journalled;
  for (const auto& line : runs[0].lines) journalled.push_back(line.id);
  EXPECT_EQ(journalled, (std::vector<std::wstring>{L"agg.second", L"plain", L"agg.first"}));
  EXPECT_EQ(importResultText(outcome),
            L"Импорт: применено 3, уже было 1, не применено 1  •  Бэкап создан  •  Точка восстановления готова");
}

TEST_F(TweakImportTest, CompleteOnlyWhenEveryKnownTweakEndsApplied) {
  struct Case {
    const char* label;
    std::vector<std::wstring> ids;
    bool plainApplies;
    bool complete;
  };
  const Case cases[] = {
      {"applied now and already applied, unknown skipped", {L"plain", L"done", L"nope"}, true, true},
      {"only already applied: empty batch, no safety net", {L"done"}, true, true},
      {"a failed apply", {L"plain", L"done"}, false, false},
      {"an unavailable tweak", {L"done", L"missing"}, true, false},
  };
  for (const Case& c : cases) {
    sim::machine().reset();
    test::installSystemTools(sim::machine());
    plain->state = TweakState::NotApplied;
    plain->applyOk = c.plainApplies;
    const ImportOutcome outcome = runImport(planImport(catalog, c.ids));
    EXPECT_EQ(outcome.complete(), c.complete) << c.label;
  }
  EXPECT_TRUE(sim::machine().restorePoints().empty());
}

}  // namespace
}  // namespace vx
