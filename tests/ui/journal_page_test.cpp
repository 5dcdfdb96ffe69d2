// The change journal in the window: Home's third tile opens the journal page, which lists the
// runs newest first with their tweaks; a run's "Вернуть как было" puts back the exact earlier
// values as a job; Home's drift line appears after the first full state pass when a tweak applied
// through Vantorix reads NotApplied again, and "Применить снова" applies exactly those.
#include "ui/journal_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/change_journal.h"
#include "core/drift.h"
#include "core/journal_history.h"
#include "core/tweak.h"
#include "ui/tweak_set_jobs.h"
#include "platform/registry.h"
#include "core/restore_plan.h"
#include "platform/registry.h"
#include "ui/background_reads.h"
#include "ui/home_layout.h"
#include "ui/input_handlers.h"
#include "ui/jobs.h"
#include "ui/layout.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

using ui::HitKind;

constexpr const wchar_t* kKey = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";

// TdrDelay = 60 as a card: deleted on revert, and it says what it writes.
class TdrDelayTweak : public Tweak {
 public:
  explicit TdrDelayTweak(std::wstring id, std::wstring valueName = L"TdrDelay")
      : Tweak(std::move(id), L"Задержка TDR", L"", TweakCategory::Performance), valueName(std::move(valueName)) {}
  TweakState queryState() override {
    return regReadDword(RegRoot::LocalMachine, kKey, valueName) == kApplied ? TweakState::Applied : TweakState::NotApplied;
  }
  bool apply() override { return regWriteDword(RegRoot::LocalMachine, kKey, valueName, kApplied); }
  bool revert() override { return regDeleteValue(RegRoot::LocalMachine, kKey, valueName); }
  TweakChanges changes() override {
    TweakChange c;
    c.key = kKey;
    c.valueName = valueName;
    c.onApply = RegValueImage::dword(kApplied);
    c.onRevert = RegValueImage::absent();
    return {c};
  }

  static constexpr std::uint32_t kApplied = 60;
  const std::wstring valueName;
};

class JournalPage : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // The refresher's thread, inline: each read runs when asked and is delivered at once.
    state.runOffUiThread = [this](std::function<void()> task) {
      ++reads;
      task();
    };
    state.readsReady = [this] { ui::onBackgroundReadsReady(state, host); };
  }

  std::shared_ptr<TdrDelayTweak> addTdr(const std::wstring& id, const std::wstring& valueName = L"TdrDelay") {
    auto tweak = std::make_shared<TdrDelayTweak>(id, valueName);
    state.catalogue.push_back(tweak);
    return tweak;
  }

  void clickRegion(HitKind kind, int index = -1) {
    paint();
    const ui::HitRegion* r = region(kind, index);
    ASSERT_TRUE(r) << "no region of kind " << static_cast<int>(kind);
    const ui::Point p = centre(*r);
    ui::onClick(state, host, p.x, p.y);
  }
  void finishJob() {
    const JobResult r = host.waitForResult(host.resultCount());
    ui::onJobDone(state, host, &r.text, ui::jobFlags(r));
  }
  // Every tweak's state read once, as after the refresher's first pass.
  void firstStatePass() {
    for (const TweakPtr& t : state.catalogue) cache.store(t->id, t->queryState());
  }
  std::optional<std::uint32_t> tdr(const wchar_t* name = L"TdrDelay") {
    return machine.dword(RegRoot::LocalMachine, kKey, name);
  }

  int reads = 0;
};

TEST_F(JournalPage, HomeHasThreeUtilityTilesSharingTheRow) {
  state.currentPage = 0;
  const RecordingCanvas canvas = paint();
  const ui::HomeLayout h = ui::homeLayout(ui::frameLayout(1280, 820, 96).content, 0, 96, 0);
  const int width = h.utilitiesHeading.width();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(h.utilityTiles[i].width(), (width - 16) / 3) << i;
    if (i > 0) EXPECT_EQ(h.utilityTiles[i].left, h.utilityTiles[i - 1].right + 8) << i;
  }
  EXPECT_TRUE(canvas.drew(ui::kJournalTitle));
  const ui::HitRegion* open = region(HitKind::OpenJournal);
  ASSERT_TRUE(open);
  EXPECT_TRUE(h.utilityTiles[2].contains(open->rect.left, open->rect.top));
  EXPECT_TRUE(h.utilityTiles[1].contains(region(HitKind::OpenBackupFolder)->rect.left, region(HitKind::OpenBackupFolder)->rect.top));
}

TEST_F(JournalPage, ListsTheRunsNewestFirstAndPutsBackTheUsersValue) {
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 7);  // the user's own value
  auto tdrTweak = addTdr(L"pro.gpu_tdr");
  addTdr(L"pro.gpu_tdr_level", L"TdrLevel");
  state.currentPage = kPerformancePage;
  clickRegion(HitKind::CardButton, 0);  // apply: run 1
  clickRegion(HitKind::CardButton, 1);  // apply: run 2
  ASSERT_EQ(tdr(), 60u);
  ASSERT_EQ(tdr(L"TdrLevel"), 60u);

  state.currentPage = 0;
  clickRegion(HitKind::OpenJournal);
  ASSERT_TRUE(state.journal.open);
  RecordingCanvas canvas = paint();
  const std::vector<JournalRunView> runs = journalRuns(readJournal());
  ASSERT_EQ(runs.size(), 2u);
  const auto newest = canvas.text(runHeadingText(runs[0]));
  const auto older = canvas.text(runHeadingText(runs[1]));
  ASSERT_TRUE(newest && older);
  EXPECT_LT(newest->rect.top, older->rect.top) << "newest first";
  EXPECT_TRUE(canvas.drew(runLineText(runs[1].lines[0], state.catalogue)));
  EXPECT_EQ(runLineText(runs[1].lines[0], state.catalogue).rfind(L"pro.gpu_tdr — ", 0), 0u);
  ASSERT_TRUE(region(HitKind::JournalRestore, 0));
  ASSERT_TRUE(region(HitKind::JournalRestore, 1));

  // "Вернуть как было" of the older run: the user's 7 comes back, the newer run's value stays.
  clickRegion(HitKind::JournalRestore, 1);
  finishJob();
  EXPECT_EQ(tdr(), 7u);
  EXPECT_EQ(tdr(L"TdrLevel"), 60u);
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
  EXPECT_EQ(state.statusText.rfind(L"Восстановлено значений: 1", 0), 0u) << std::string(state.statusText.begin(), state.statusText.end());
  EXPECT_TRUE(paint().drew(state.statusText)) << "the journal page shows the status line";
  // The restore is a run of its own, and the page shows it at the top after the re-read.
  const std::vector<JournalRunView> after = journalRuns(state.journal.lines);
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after[0].label, L"restore_run_" + std::to_wstring(runs[1].run));
  EXPECT_EQ(tdrTweak->queryState(), TweakState::NotApplied);

  // A sidebar entry leaves the page.
  clickRegion(HitKind::SidebarItem, kPerformancePage);
  EXPECT_FALSE(state.journal.open);
}

TEST_F(JournalPage, AValueChangedSinceIsLeftAloneAndReportedInRed) {
  auto tweak = addTdr(L"pro.gpu_tdr");
  state.currentPage = kPerformancePage;
  clickRegion(HitKind::CardButton, 0);
  machine.setDword(RegRoot::LocalMachine, kKey, L"TdrDelay", 30);  // changed by the user since
  state.currentPage = 0;
  clickRegion(HitKind::OpenJournal);
  clickRegion(HitKind::JournalRestore, 0);
  finishJob();
  EXPECT_EQ(tdr(), 30u);
  EXPECT_EQ(state.statusColor, ui::kColorFailure);
  EXPECT_NE(state.statusText.find(L"пропущено: 1"), std::wstring::npos);
}

TEST_F(JournalPage, EmptyJournalAndTheTitleRowsSetButtons) {
  state.currentPage = 0;
  clickRegion(HitKind::OpenJournal);
  const RecordingCanvas canvas = paint();
  EXPECT_TRUE(canvas.drew(ui::kJournalEmptyText));
  EXPECT_FALSE(region(HitKind::JournalRestore));
  const ui::JournalPageLayout page = ui::journalPageLayout(ui::frameLayout(1280, 820, 96).content, 96);
  const auto title = canvas.text(std::wstring(L"\U0001F4DC  ") + ui::kJournalTitle);
  ASSERT_TRUE(title);
  for (const ui::Rect& b : page.titleButtons) {
    EXPECT_EQ(ui::intersect(b, page.titleRow), b) << "inside the title row";
    EXPECT_EQ(b.width(), 170);
  }
  EXPECT_EQ(page.titleButtons[0].right, page.titleRow.right);
  EXPECT_EQ(page.titleButtons[1].right, page.titleButtons[0].left - 8);
  // The set buttons sit in that room, right to left.
  EXPECT_TRUE(canvas.drew(ui::kLoadSetLabel));
  EXPECT_TRUE(canvas.drew(ui::kSaveSetLabel));
  const ui::HitRegion* load = region(HitKind::LoadTweakSet);
  const ui::HitRegion* save = region(HitKind::SaveTweakSet);
  ASSERT_TRUE(load && save);
  EXPECT_EQ(load->rect, page.titleButtons[0]);
  EXPECT_EQ(save->rect, page.titleButtons[1]);
}

TEST_F(JournalPage, DriftLineAfterTheFirstStatePassAndApplyAgain) {
  auto reset = addTdr(L"pro.gpu_tdr");
  auto kept = addTdr(L"pro.gpu_tdr_level", L"TdrLevel");
  auto never = addTdr(L"pro.never", L"TdrDdiDelay");
  state.currentPage = kPerformancePage;
  clickRegion(HitKind::CardButton, 0);
  clickRegion(HitKind::CardButton, 1);
  // Windows Update resets one of them; the third was never applied by Vantorix.
  ASSERT_TRUE(regDeleteValue(RegRoot::LocalMachine, kKey, L"TdrDelay"));
  state.currentPage = 0;
  ASSERT_TRUE(state.journal.loaded);

  const std::wstring line = driftLineText(1);
  paint();
  EXPECT_FALSE(region(HitKind::ApplyAgain)) << "no line before every state is known";
  cache.store(reset->id, reset->queryState());
  cache.store(kept->id, kept->queryState());
  EXPECT_FALSE(paint().drew(line));
  cache.store(never->id, never->queryState());
  RecordingCanvas canvas = paint();
  ASSERT_TRUE(canvas.drew(line));
  EXPECT_EQ(canvas.text(line)->color, ui::kColorWarning);
  EXPECT_LT(canvas.text(line)->rect.bottom, canvas.text(L"Утилиты")->rect.top) << "above the utilities";
  EXPECT_TRUE(canvas.drew(kApplyAgainText));

  const int appliesBefore = static_cast<int>(machine.registryWrites());
  clickRegion(HitKind::ApplyAgain);
  finishJob();
  EXPECT_EQ(tdr(), 60u);
  EXPECT_FALSE(tdr(L"TdrDdiDelay")) << "only the reset tweaks";
  EXPECT_GT(static_cast<int>(machine.registryWrites()), appliesBefore);
  EXPECT_EQ(state.statusText.rfind(L"Применено снова: 1 из 1", 0), 0u);
  firstStatePass();
  paint();
  EXPECT_FALSE(region(HitKind::ApplyAgain)) << "nothing reset any more";
}

}  // namespace
}  // namespace vx::test
