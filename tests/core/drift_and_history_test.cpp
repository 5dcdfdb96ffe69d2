// Tweaks reset after they were applied, and the history's text: the rule as a table of journals,
// then on the simulated machine Windows resetting two values (and nothing after a restore); the
// lines of vxctl history from a small journal.
#include <gtest/gtest.h>

#include "core/drift.h"
#include "core/engine.h"
#include "core/journal_history.h"
#include "core/restore_plan.h"
#include "support/described_values_tweak.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::describedTweak;
using test::registryChange;

JournalLine line(std::int64_t run, std::wstring id, JournalAction action, JournalResult result = JournalResult::Ok) {
  JournalLine l;
  l.time = L"2026-12-11 17:30:0" + std::to_wstring(run % 10);
  l.run = run;
  l.label = L"label" + std::to_wstring(run);
  l.id = std::move(id);
  l.action = action;
  l.result = result;
  return l;
}

constexpr auto Apply = JournalAction::Apply;
constexpr auto Revert = JournalAction::Revert;
constexpr auto Restore = JournalAction::Restore;

TEST(DriftRule, OnlyALastSuccessfulApplyWithoutALaterRestoreCounts) {
  struct Case {
    const char* name;
    std::vector<JournalLine> lines;
    std::vector<std::wstring> candidates;
  };
  const Case cases[] = {
      {"applied", {line(1, L"a", Apply)}, {L"a"}},
      {"applied then reverted", {line(1, L"a", Apply), line(2, L"a", Revert)}, {}},
      {"reverted then applied", {line(1, L"a", Revert), line(2, L"a", Apply)}, {L"a"}},
      {"last apply failed", {line(1, L"a", Apply), line(2, L"a", Apply, JournalResult::Failed)}, {}},
      {"restored after", {line(1, L"a", Apply), line(2, L"a", Restore, JournalResult::Skipped)}, {}},
      {"applied again after a restore", {line(1, L"a", Apply), line(2, L"a", Restore), line(3, L"a", Apply)}, {L"a"}},
      {"failed revert keeps the apply", {line(1, L"a", Apply), line(2, L"a", Revert, JournalResult::Failed)}, {}},
      {"order of last apply", {line(1, L"b", Apply), line(2, L"a", Apply), line(3, L"b", Apply)}, {L"a", L"b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(driftCandidates(c.lines), c.candidates) << c.name;
}

TEST(DriftRule, UndeterminedAndUnavailableNeverCount) {
  auto a = test::makeFake(L"a"), b = test::makeFake(L"b"), c = test::makeFake(L"c"), d = test::makeFake(L"d");
  a->state = TweakState::NotApplied;
  b->state = TweakState::Undetermined;
  c->state = TweakState::Unavailable;
  d->state = TweakState::Applied;
  const std::vector<JournalLine> lines{line(1, L"a", Apply), line(1, L"b", Apply), line(1, L"c", Apply), line(1, L"d", Apply)};
  const auto reset = resetTweaks(lines, {a, b, c, d}, [](Tweak& t) -> std::optional<TweakState> { return t.queryState(); });
  ASSERT_EQ(reset.size(), 1u);
  EXPECT_EQ(reset[0]->id, L"a");
  // A state not known yet counts as nothing.
  EXPECT_TRUE(resetTweaks(lines, {a}, [](Tweak&) { return std::optional<TweakState>(); }).empty());
  EXPECT_EQ(driftLineText(2), L"Сброшено после применения: 2");
}

class DriftOnMachineTest : public test::SimTest {};

TEST_F(DriftOnMachineTest, ValuesResetBehindOurBackAreFoundAndNotAfterARestore) {
  const std::wstring key = L"SOFTWARE\\Policies\\Test";
  auto a = describedTweak(L"a", {registryChange(key, L"A", RegValueImage::dword(1))});
  auto b = describedTweak(L"b", {registryChange(key, L"B", RegValueImage::dword(1))});
  auto c = describedTweak(L"c", {registryChange(key, L"C", RegValueImage::dword(1))});
  const TweakCatalog catalog{a, b, c};
  ASSERT_TRUE(applyBatch(catalog, L"profile_Максимум").applied);
  const auto query = [](Tweak& t) -> std::optional<TweakState> { return t.queryState(); };
  EXPECT_TRUE(resetTweaks(readJournal(), catalog, query).empty());

  // A feature update puts two of them back to Windows' values.
  machine.setDword(RegRoot::LocalMachine, key, L"A", 0);
  regDeleteValue(RegRoot::LocalMachine, key, L"C");
  auto reset = resetTweaks(readJournal(), catalog, query);
  ASSERT_EQ(reset.size(), 2u);
  EXPECT_EQ(reset[0]->id, L"a");
  EXPECT_EQ(reset[1]->id, L"c");

  // After a restore of c the user wanted it gone: it no longer counts.
  machine.setDword(RegRoot::LocalMachine, key, L"C", 1);
  const auto plan = planTweakRestore(readJournal(), catalog, L"c", false);
  ASSERT_TRUE(plan);
  ASSERT_TRUE(carryOutRestore(*plan).succeeded());
  reset = resetTweaks(readJournal(), catalog, query);
  ASSERT_EQ(reset.size(), 1u);
  EXPECT_EQ(reset[0]->id, L"a");
}

TEST(JournalHistory, RunsNewestFirstWithOneLinePerTweak) {
  auto known = test::makeFake(L"perf.known");
  const std::vector<JournalLine> lines{
      line(1, L"perf.known", Apply), line(2, L"perf.known", Revert, JournalResult::Failed),
      line(2, L"gone.tweak", Apply, JournalResult::Failed), line(3, L"perf.known", Restore, JournalResult::Partial)};
  const std::vector<std::wstring> expected{
      L"#3 2026-12-11 17:30:03 label3",
      L"  perf.known — Твик perf.known — восстановлено частично",
      L"#2 2026-12-11 17:30:02 label2",
      L"  perf.known — Твик perf.known — ошибка отката",
      L"  gone.tweak — gone.tweak — ошибка применения",
  };
  EXPECT_EQ(historyLines(lines, {known}, 2), expected);
  EXPECT_EQ(historyLines(lines, {known}).size(), 7u);
  EXPECT_EQ(historyLines(lines, {known}).back(), L"  perf.known — Твик perf.known — применено");
}

}  // namespace
}  // namespace vx
