#include "ui/jobs.h"

#include <optional>

#include "services/cleanup_job.h"

#include "core/catalog.h"
#include "core/profiles.h"
#include "platform/system_tool.h"

namespace vx::ui {

bool launchJob(UiState& state, WindowHost& host, const std::wstring& progressText, std::function<JobResult()> body,
               const JobResult& failure) {
  if (state.busy.exchange(1) != 0) return false;
  state.setStatus(progressText, kColorTextDim);
  host.invalidate();
  WindowHost* target = &host;
  auto worker = [target, body = std::move(body), failure]() {
    JobResult result;
    try {
      result = body();
    } catch (...) {
      result = failure;
    }
    target->postJobResult(result);
  };
  if (!state.startWorker(std::move(worker))) {
    state.busy.store(0);
    state.setStatus(kWorkerFailedText, kColorFailure);
    host.invalidate();
    return false;
  }
  return true;
}

void startCategoryJob(UiState& state, WindowHost& host, bool revert) {
  const SidebarEntry* entry = state.currentEntry();
  if (!entry || entry->kind != PageKind::Category) return;
  const TweakCategory category = entry->category;
  TweakCatalog copy = state.catalogue;
  JobResult failure{revert ? L"Не удалось откатить твики категории" : L"Не удалось применить твики категории"};
  launchJob(state, host, categoryJobStartText(revert),
            [copy = std::move(copy), category, revert] { return runCategoryJob(copy, category, revert); }, failure);
}

void startSelectedJob(UiState& state, WindowHost& host) {
  if (state.busy.load() != 0) return;
  if (state.selectedIds.empty()) return;
  const std::vector<std::wstring> ids(state.selectedIds.begin(), state.selectedIds.end());
  std::vector<TweakPtr> tweaks = findByIds(state.catalogue, ids);
  JobResult failure{L"Не удалось применить выбранные твики"};
  failure.clearSelection = true;
  const std::wstring progress = selectedJobStartText(tweaks.size());
  launchJob(state, host, progress, [tweaks = std::move(tweaks)] { return runSelectedJob(tweaks); }, failure);
}

void startProfileJob(UiState& state, WindowHost& host, int level) {
  if (state.busy.load() != 0) return;  // a second click changes nothing, not even the status
  std::vector<TweakPtr> tweaks = selectProfile(level, state.catalogue);
  const std::wstring name = profileName(level);
  const std::wstring progress = profileJobStartText(name, tweaks.size());
  launchJob(state, host, progress, [tweaks = std::move(tweaks), name] { return runProfileJob(tweaks, name); },
            JobResult{L"Не удалось применить профиль «" + name + L"»"});
}

void startRecommendationJob(UiState& state, WindowHost& host, const std::vector<std::wstring>& tweakIds) {
  std::vector<TweakPtr> tweaks = findByIds(state.catalogue, tweakIds);
  launchJob(state, host, recommendationJobStartText(),
            [tweaks = std::move(tweaks)] { return runRecommendationJob(tweaks); },
            JobResult{L"Не удалось применить рекомендацию"});
}

void rebuildRecommendations(UiState& state) {
  state.recommendations = buildRecommendations(state.hardware, state.catalogue);
}

void onJobDone(UiState& state, WindowHost& host, const std::wstring* text, JobFlags flags) {
  if (text) state.setStatus(*text, flags.succeeded ? kColorSuccess : kColorFailure);
  if (flags.clearSelection) state.selectedIds.clear();
  state.states->clear();
  rebuildRecommendations(state);
  state.busy.store(0);
  host.invalidate();
  if (!(flags.succeeded && flags.needsReboot)) return;
  if (!host.askYesNo(kRebootCaption, kRebootQuestion)) return;
  if (startSystemTool(L"shutdown.exe", kRebootArguments)) {
    state.setStatus(kRebootScheduledText, kColorWarning);
    host.invalidate();
  }
}

void startCleanupJob(UiState& state, WindowHost& host, int number) {
  if (state.busy.load() != 0) return;
  const std::optional<CleanupAction> action = cleanupActionFromNumber(number);
  if (!action) return;
  launchJob(state, host, cleanupProgressText(*action), [a = *action] { return runCleanupAction(a); },
            JobResult{L"Не удалось выполнить очистку"});
}

}  // namespace vx::ui
