#include "core/backup_folder.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "ui/hit_regions.h"
#include "ui/input_handlers.h"
#include "ui/jobs.h"
#include "ui/send_question.h"
#include "ui/tweak_search.h"

namespace vx::ui {

namespace {

void choosePage(UiState& state, WindowHost& host, int index) {
  if (index < 0 || index >= static_cast<int>(state.sidebar.size())) return;
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

}  // namespace

void onClick(UiState& state, WindowHost& host, int x, int y) {
  if (state.busy.load() != 0) return;
  const HitRegion* region = findRegion(state.hitRegions, x, y);
  if (!region) return;
  const int index = region->index;
  switch (region->kind) {
    case HitKind::SidebarItem: choosePage(state, host, index); break;
    case HitKind::OpenBackupFolder: openBackupFolder(state, host); break;
    case HitKind::ApplyAll: startCategoryJob(state, host, false); break;
    case HitKind::RevertAll: startCategoryJob(state, host, true); break;
    case HitKind::ApplySelected: startSelectedJob(state, host); break;
    case HitKind::ClearSelection:
      state.selectedIds.clear();
      state.setStatus(L"Выбор снят", kColorTextDim);
      host.invalidate();
      break;
    case HitKind::ProfileBasic: startProfileJob(state, host, 1); break;
    case HitKind::ProfileOptimal: startProfileJob(state, host, 2); break;
    case HitKind::ProfileMaximum: startProfileJob(state, host, 3); break;
    case HitKind::CardToggle:
    case HitKind::CardButton: toggleCard(state, host, index); break;
    case HitKind::CardCheckbox: toggleSelection(state, host, index); break;
    case HitKind::AggressiveBadge: break;  // the badge only explains itself on hover
    case HitKind::RecommendationApply:
      if (index >= 0 && index < static_cast<int>(state.recommendations.size()))
        startRecommendationJob(state, host, state.recommendations[index].tweakIds);
      break;
    case HitKind::RefreshRecommendations: refreshAdvice(state, host); break;
    case HitKind::SendQuestion: sendQuestion(state, host); break;
    case HitKind::ChatApply:
      if (index >= 0 && index < static_cast<int>(state.chat.size()) && !state.chat[index].tweakIds.empty())
        startRecommendationJob(state, host, state.chat[index].tweakIds);
      break;
    case HitKind::DriverOpen: openDriverPage(state, host, index); break;
    case HitKind::CleanupTemp: startCleanupJob(state, host, 0); break;
    case HitKind::CleanupDns: startCleanupJob(state, host, 1); break;
    case HitKind::CleanupRecycleBin: startCleanupJob(state, host, 2); break;
    case HitKind::RestartExplorer: startCleanupJob(state, host, 3); break;
    case HitKind::BoosterToggle: toggleBooster(state, host); break;
  }
}

}  // namespace vx::ui
