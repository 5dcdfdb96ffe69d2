// vxctl drift [--apply]: the tweaks that were reset after Vantorix applied them (the journal's
// last apply succeeded, no restore since, and the tweak reads NotApplied now); --apply applies
// exactly those again as one batch. Exit 0 when none were reset (or all applied again), 1 otherwise.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/change_guard.h"
#include "core/change_journal.h"
#include "core/drift.h"
#include "core/guarded_calls.h"
#include "core/job_results.h"
#include "core/journal_run.h"

namespace vx::cli {

namespace {

int runDrift(const std::vector<std::wstring>& args) {
  if (args.size() > 1 || (args.size() == 1 && args[0] != L"--apply"))
    return usageError(args.size() > 1 ? L"drift: лишние параметры" : L"неизвестный параметр «" + args[0] + L"»");
  const bool reapply = args.size() == 1;
  const auto reset =
      resetTweaks(readJournal(), catalog(), [](Tweak& tweak) -> std::optional<TweakState> { return guarded::queryState(tweak); });
  if (reset.empty()) {
    printLine(L"Сброшенных после применения твиков нет");
    return kExitOk;
  }
  printLine(driftLineText(reset.size()));
  for (const auto& tweak : reset) printLine(L"  " + tweak->id + L" — " + tweak->title);
  if (!reapply) return kExitFailed;

  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) {
    printError(kAnotherCopyBusyMessage);
    return kExitFailed;
  }
  const JournalRun run(L"reapply_reset");
  const JobResult job = runSelectedJob(reset);
  printLine(job.text);
  int status = kExitOk;
  for (const auto& tweak : reset) {
    const TweakState state = guarded::queryState(*tweak);
    if (state == TweakState::Applied) continue;
    printError(L"vxctl: " + tweak->id + L" не применён (" + stateName(state) + L")");
    status = kExitFailed;
  }
  return status;
}

const CliRegistrar registrar{{CliPlace::Drift, L"drift", L"vxctl drift [--apply]",
                              L"твики, сброшенные после применения; --apply применяет их снова", runDrift}};

}  // namespace

}  // namespace vx::cli
