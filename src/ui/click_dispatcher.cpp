#include <array>
#include <cstddef>

#include "core/backup_folder.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "ui/hit_regions.h"
#include "ui/input_handlers.h"
#include "ui/jobs.h"
#include "ui/journal_page.h"
#include "ui/send_question.h"
#include "ui/title_tooltip.h"
#include "ui/tweak_search.h"
#include "ui/tweak_set_jobs.h"

namespace vx::ui {

namespace {

void choosePage(UiState& state, WindowHost& host, int index) {
  if (index < 0 || index >= static_cast<int>(state.sidebar.size())) return;
  closeJournalPage(state);
  if (state.searching()) clearSearch(state, host);
  state.currentPage = index;
  state.scrollOffset = 0;
  state.hoverIndex = -1;
  state.tooltipIndex = -1;
  state.tooltipText.clear();
  host.showInputBox(state.sidebar[index].kind == PageKind::Assistant);
  if (state.onPageChosen) state.onPageChosen(state.sidebar[index]);
  host.invalidate();
}

// What the shell could not open, in the failure colour.
void reportOpenFailure(UiState& state, const std::wstring& target) {
  state.setStatus(L"Не удалось открыть: " + target, kColorFailure);
}

// Opened through the shell (unelevated where the desktop's shell allows), not by starting
// explorer.exe from this elevated process.
void openBackupFolder(UiState& state, WindowHost& host) {
  const std::wstring folder = backupRoot();
  if (folder.empty()) return;
  createDirectories(folder);
  if (shellOpen(folder))
    state.setStatus(L"Папка бэкапов открыта", kColorSuccess);
  else
    reportOpenFailure(state, folder);
  host.invalidate();
}

void refreshAdvice(UiState& state, WindowHost& host) {
  refreshHardwareProfile(state.hardware);
  rebuildRecommendations(state);
  state.setStatus(L"Рекомендации обновлены: " + std::to_wstring(state.recommendations.size()), kColorSuccess);
  host.invalidate();
}

void openDriverPage(UiState& state, WindowHost& host, int index) {
  if (index < 0 || index >= static_cast<int>(state.driverCards.size())) return;
  const GpuDriverInfo& card = state.driverCards[index];
  if (card.downloadPage.empty()) return;
  if (shellOpen(card.downloadPage))
    state.setStatus(L"Открыта страница " + card.vendor + L" • Установленная: " +
                        (card.displayVersion.empty() ? card.driverVersion : card.displayVersion),
                    kColorSuccess);
  else
    reportOpenFailure(state, card.downloadPage);
  host.invalidate();
}

void toggleBooster(UiState& state, WindowHost& host) {
  if (!state.booster) return;
  if (state.booster->isRunning()) {
    state.booster->stop();
    state.setStatus(L"Движок выключен", kColorTextDim);
  } else if (state.booster->start()) {
    state.setStatus(L"Движок запущен (таймер 0.5ms + Standby cleaner)", kColorSuccess);
  } else {
    state.setStatus(L"Не удалось запустить движок", kColorFailure);
  }
  host.invalidate();
}

void clearSelection(UiState& state, WindowHost& host) {
  state.selectedIds.clear();
  state.setStatus(L"Выбор снят", kColorTextDim);
  host.invalidate();
}

void applyRecommendation(UiState& state, WindowHost& host, int index) {
  if (index >= 0 && index < static_cast<int>(state.recommendations.size()))
    startRecommendationJob(state, host, state.recommendations[index].tweakIds);
}

void applyChatAdvice(UiState& state, WindowHost& host, int index) {
  if (index >= 0 && index < static_cast<int>(state.chat.size()) && !state.chat[index].tweakIds.empty())
    startRecommendationJob(state, host, state.chat[index].tweakIds);
}

// What a click on a region does, given the region's index (-1 for a button without one).
using ClickAction = void (*)(UiState& state, WindowHost& host, int index);

// The actions that take no index, the cleanup actions, the category jobs and the profiles as
// click actions.
template <void (*act)(UiState&, WindowHost&)>
void withoutIndex(UiState& state, WindowHost& host, int) {
  act(state, host);
}
template <CleanupAction action>
void cleanup(UiState& state, WindowHost& host, int) {
  startCleanupJob(state, host, action);
}
template <bool revert>
void categoryJob(UiState& state, WindowHost& host, int) {
  startCategoryJob(state, host, revert);
}
template <TweakTier tier>
void profile(UiState& state, WindowHost& host, int) {
  startProfileJob(state, host, tier);
}

struct ClickRow {
  HitKind kind;
  ClickAction action;  // null: the click does nothing
};

constexpr std::array kClickRows = {
    ClickRow{HitKind::SidebarItem, choosePage},
    ClickRow{HitKind::CleanupTemp, cleanup<CleanupAction::TempFiles>},
    ClickRow{HitKind::CleanupDns, cleanup<CleanupAction::DnsCache>},
    ClickRow{HitKind::CleanupRecycleBin, cleanup<CleanupAction::RecycleBin>},
    ClickRow{HitKind::RestartExplorer, cleanup<CleanupAction::Explorer>},
    ClickRow{HitKind::OpenBackupFolder, withoutIndex<openBackupFolder>},
    ClickRow{HitKind::ApplyAll, categoryJob<false>},
    ClickRow{HitKind::RevertAll, categoryJob<true>},
    ClickRow{HitKind::ApplySelected, withoutIndex<startSelectedJob>},
    ClickRow{HitKind::ClearSelection, withoutIndex<clearSelection>},
    ClickRow{HitKind::ProfileBasic, profile<TierBasic>},
    ClickRow{HitKind::ProfileOptimal, profile<TierOptimal>},
    ClickRow{HitKind::ProfileMaximum, profile<TierMaximum>},
    ClickRow{HitKind::CardToggle, toggleCard},
    ClickRow{HitKind::CardButton, toggleCard},
    ClickRow{HitKind::AggressiveBadge, nullptr},  // the badge only explains itself on hover
    ClickRow{HitKind::CardCheckbox, toggleSelection},
    ClickRow{HitKind::RecommendationApply, applyRecommendation},
    ClickRow{HitKind::RefreshRecommendations, withoutIndex<refreshAdvice>},
    ClickRow{HitKind::SendQuestion, withoutIndex<sendQuestion>},
    ClickRow{HitKind::ChatApply, applyChatAdvice},
    ClickRow{HitKind::BoosterToggle, withoutIndex<toggleBooster>},
    ClickRow{HitKind::DriverOpen, openDriverPage},
    ClickRow{HitKind::CardTitle, nullptr},  // the title too
    ClickRow{HitKind::OpenJournal, withoutIndex<openJournalPage>},
    ClickRow{HitKind::JournalRestore, startRunRestoreJob},
    ClickRow{HitKind::ApplyAgain, withoutIndex<startApplyAgainJob>},
    ClickRow{HitKind::SaveTweakSet, withoutIndex<saveTweakSet>},
    ClickRow{HitKind::LoadTweakSet, withoutIndex<loadTweakSet>},
};

// Every kind has exactly one row, so a kind added without its action does not compile.
constexpr bool everyKindHasOneRow() {
  for (int kind = 0; kind < static_cast<int>(HitKind::Count); ++kind) {
    int rows = 0;
    for (const ClickRow& row : kClickRows)
      if (static_cast<int>(row.kind) == kind) ++rows;
    if (rows != 1) return false;
  }
  return kClickRows.size() == static_cast<std::size_t>(HitKind::Count);
}
static_assert(everyKindHasOneRow(), "each HitKind needs exactly one row in kClickRows");

}  // namespace

void onClick(UiState& state, WindowHost& host, int x, int y) {
  if (state.busy.load() != 0) return;
  const HitRegion* region = findRegion(state.hitRegions, x, y);
  hideTitleTooltip(state, host);  // a click may change what the tweak would do next
  if (!region) return;
  for (const ClickRow& row : kClickRows)
    if (row.kind == region->kind) {
      if (row.action) row.action(state, host, region->index);
      return;
    }
}

}  // namespace vx::ui
