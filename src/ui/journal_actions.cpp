// The journal's reads on the refresher's thread, opening and closing the journal page, the reset
// tweaks of Home's drift line, and the two jobs: a run's "Вернуть как было" and "Применить снова".
#include "core/catalog.h"
#include "core/change_guard.h"
#include "core/drift.h"
#include "core/engine.h"
#include "core/guarded_calls.h"
#include "core/job_results.h"
#include "core/restore_plan.h"
#include "ui/jobs.h"
#include "ui/journal_page.h"

namespace vx::ui {

void requestJournalRead(UiState& state) {
  JournalView& journal = state.journal;
  if (!state.runOffUiThread) return;
  journal.ticket += 1;
  state.runOffUiThread([ticket = journal.ticket, read = journal.read, mailbox = journal.mailbox, notify = state.readsReady] {
    JournalRead result;
    result.ticket = ticket;
    try {
      result.lines = read();
    } catch (...) {
      // Out of memory for a large journal: shown as empty until the next read.
      result.lines.clear();
    }
    mailbox->put(std::move(result));
    if (notify) notify();
  });
}

void onJournalRead(UiState& state, WindowHost& host) {
  JournalView& journal = state.journal;
  std::optional<JournalRead> read = journal.mailbox->take();
  if (!read || read->ticket != journal.ticket) return;  // a newer read is on its way
  journal.lines = std::move(read->lines);
  journal.loaded = true;
  host.invalidate();
}

void openJournalPage(UiState& state, WindowHost& host) {
  state.journal.open = true;
  state.scrollOffset = 0;
  state.hoverIndex = -1;
  requestJournalRead(state);
  host.invalidate();
}

void closeJournalPage(UiState& state) {
  if (!state.journal.open) return;
  state.journal.open = false;
  state.scrollOffset = 0;
}

std::vector<TweakPtr> resetTweaksNow(const UiState& state) {
  if (!state.journal.loaded) return {};
  // After the first full state pass only: a tweak not yet read is not taken for reset.
  const TweakStateCache& cache = *state.states;
  for (const TweakPtr& tweak : state.catalogue)
    if (tweak && !cache.lastKnown(tweak->id)) return {};
  return resetTweaks(state.journal.lines, state.catalogue,
                     [&cache](Tweak& tweak) { return cache.lastKnown(tweak.id); });
}

void startRunRestoreJob(UiState& state, WindowHost& host, int index) {
  if (state.busy.load() != 0) return;
  const std::vector<JournalRunView> runs = journalRuns(state.journal.lines);
  if (index < 0 || index >= static_cast<int>(runs.size())) return;
  const std::int64_t run = runs[static_cast<std::size_t>(index)].run;
  const std::wstring number = std::to_wstring(run);
  // The plan is made on the job's thread from the journal as it is then: a step Windows or the
  // user changed since the page was read is still left alone.
  auto body = [catalogue = state.catalogue, run, number] {
    const std::optional<RestorePlan> plan = planRunRestore(readJournal(), catalogue, run, false);
    if (!plan) return JobResult{L"Запуск #" + number + L" не найден в журнале"};
    const RestoreReport report = carryOutRestore(*plan);
    JobResult result;
    result.text = restoreStatusText(report);
    result.succeeded = report.succeeded();
    return result;
  };
  launchJob(state, host, L"Возвращаю как было: запуск #" + number + L"...", std::move(body),
            JobResult{L"Не удалось вернуть запуск #" + number});
}

std::wstring applyAgainJobStartText(std::size_t count) {
  return L"Применяю снова сброшенные твики (" + std::to_wstring(count) + L")...";
}

void startApplyAgainJob(UiState& state, WindowHost& host) {
  if (state.busy.load() != 0) return;
  std::vector<TweakPtr> tweaks = resetTweaksNow(state);
  if (tweaks.empty()) return;
  const std::wstring progress = applyAgainJobStartText(tweaks.size());
  auto body = [tweaks = std::move(tweaks)] {
    const ChangeGuard guard(kChangeLockWaitMs);  // on the job's thread, never the window's
    if (!guard.held()) return JobResult{kAnotherCopyBusyMessage};
    const ApplyResult batch = applyBatch(tweaks, L"apply_again");
    int applied = 0;
    bool reboot = false;
    for (const TweakPtr& tweak : tweaks) {
      if (guarded::queryState(*tweak) != TweakState::Applied) continue;
      ++applied;
      reboot = reboot || guarded::needsReboot(*tweak);
    }
    JobResult result;
    result.text = L"Применено снова: " + std::to_wstring(applied) + L" из " + std::to_wstring(tweaks.size()) + backupNote(batch);
    result.succeeded = applied > 0;
    result.needsReboot = reboot;
    return result;
  };
  launchJob(state, host, progress, std::move(body), JobResult{L"Не удалось применить твики снова"});
}

}  // namespace vx::ui
