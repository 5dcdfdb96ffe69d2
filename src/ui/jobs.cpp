#include "ui/jobs.h"

#include "core/catalog.h"
#include "core/change_guard.h"
#include "core/engine.h"
#include "core/guarded_calls.h"
#include "core/profiles.h"
#include "platform/system_tool.h"

namespace vx::ui {

bool launchJob(UiState& state, WindowHost& host, const std::wstring& progressText, std::function<JobResult()> body,
               const JobResult& failure) {
  if (state.busy.exchange(1) != 0) return false;
  state.setStatus(progressText, kColorTextDim);
  host.invalidate();
  bool started = false;
  try {
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
    started = state.startWorker(std::move(worker));
  } catch (...) {
    // Out of memory for the worker's copies or its thread: the job never started. Nothing may
    // leave the window procedure, and the window must not stay locked.
    started = false;
  }
  if (!started) {
    state.busy.store(0);
    state.setStatus(failure.text.empty() ? std::wstring(kWorkerFailedText) : failure.text, kColorFailure);
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

void startProfileJob(UiState& state, WindowHost& host, TweakTier tier) {
  if (state.busy.load() != 0) return;  // a second click changes nothing, not even the status
  // The worker chooses the tweaks (that queries every tiered tweak); the count in the progress
  // text comes from the states the cards already show, so the click waits on nothing.
  const TweakStateCache& cache = *state.states;
  const std::size_t expected =
      selectProfile(tier, state.catalogue, [&cache](Tweak& tweak) {
        return cache.lastKnown(tweak.id).value_or(TweakState::Undetermined);
      }).size();
  const std::wstring name = profileName(tier);
  const std::wstring progress = profileJobStartText(name, expected);
  launchJob(state, host, progress,
            [catalogue = state.catalogue, tier, name] { return runProfileJob(selectProfile(tier, catalogue), name); },
            JobResult{L"Не удалось применить профиль «" + name + L"»"});
}

void startRecommendationJob(UiState& state, WindowHost& host, const std::vector<std::wstring>& tweakIds) {
  std::vector<TweakPtr> tweaks = findByIds(state.catalogue, tweakIds);
  launchJob(state, host, recommendationJobStartText(),
            [tweaks = std::move(tweaks)] { return runRecommendationJob(tweaks); },
            JobResult{L"Не удалось применить рекомендацию"});
}

void startCardApplyJob(UiState& state, WindowHost& host, const TweakPtr& tweak) {
  if (!tweak) return;
  const std::wstring failureText = tweak->title + L": ошибка применения";
  auto body = [tweak, failureText] {
    JobResult result;
    const ChangeGuard guard(kChangeLockWaitMs);  // on the job's thread, never the window's
    if (!guard.held()) return JobResult{kAnotherCopyBusyMessage};
    try {
      const StatusText status = applyWithStatus(*tweak);
      result.text = status.text;
      result.succeeded = status.outcome == StatusOutcome::Success;
    } catch (...) {
      result.text = failureText;  // the card's own failure text, as on the UI thread
    }
    result.tweakState = guarded::queryState(*tweak);
    return result;
  };
  if (launchJob(state, host, kSafetyNetProgressText, std::move(body), JobResult{failureText}))
    state.cardJobTweak = tweak->id;
}

void rebuildRecommendations(UiState& state) {
  TweakStateCache& cache = *state.states;
  state.recommendations = buildRecommendations(state.hardware, state.catalogue,
                                               [&cache](Tweak& tweak) { return cache.knownState(tweak); });
}

void onJobDone(UiState& state, WindowHost& host, const std::wstring* text, JobFlags flags) {
  if (text) state.setStatus(*text, flags.succeeded ? kColorSuccess : kColorFailure);
  if (flags.clearSelection) state.selectedIds.clear();
  state.states->clear();
  // A card's job brings its tweak's new state: the next frame shows it without waiting for the
  // refresher, which re-reads the rest.
  if (flags.tweakState && !state.cardJobTweak.empty()) state.states->store(state.cardJobTweak, *flags.tweakState);
  state.cardJobTweak.clear();
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

void startCleanupJob(UiState& state, WindowHost& host, CleanupAction action) {
  if (state.busy.load() != 0) return;
  launchJob(state, host, cleanupProgressText(action), [action] { return runCleanupAction(action); },
            JobResult{L"Не удалось выполнить очистку"});
}

}  // namespace vx::ui
