// vxctl drift [--apply]: the tweaks that were reset after Vantorix applied them (the journal's
// last apply succeeded, no restore since, and the tweak reads NotApplied now); --apply applies
// exactly those again as one batch. Exit 0 when none were reset (or all applied again), 1 otherwise.
// --json: {"reset": [{"id", "title"}]}, with --apply also "result" (the batch's line) and
// "notApplied" (the ids still not applied).
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "core/change_guard.h"
#include "core/change_journal.h"
#include "core/drift.h"
#include "core/guarded_calls.h"
#include "core/job_results.h"
#include "core/journal_run.h"

namespace vx::cli {

namespace {

int runDrift(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (args.size() > 1 || (args.size() == 1 && args[0] != L"--apply"))
    return usageError(args.size() > 1 ? L"drift: лишние параметры" : L"неизвестный параметр «" + args[0] + L"»");
  const bool reapply = args.size() == 1;
  const auto reset =
      resetTweaks(readJournal(), catalog(), [](Tweak& tweak) -> std::optional<TweakState> { return guarded::queryState(tweak); });
  Json out{{"reset", Json::array()}};
  for (const auto& tweak : reset) out["reset"].push_back({{"id", jsonText(tweak->id)}, {"title", jsonText(tweak->title)}});
  if (reset.empty()) {
    if (json)
      printJson(out);
    else
      printLine(L"Сброшенных после применения твиков нет");
    return kExitOk;
  }
  if (!json) {
    printLine(driftLineText(reset.size()));
    for (const auto& tweak : reset) printLine(L"  " + tweak->id + L" — " + tweak->title);
  }
  if (!reapply) {
    if (json) printJson(out);
    return kExitFailed;
  }

  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) {
    printError(kAnotherCopyBusyMessage);
    return kExitFailed;
  }
  const JournalRun run(L"reapply_reset");
  const JobResult job = runSelectedJob(reset);
  if (!json) printLine(job.text);
  int status = kExitOk;
  out["result"] = jsonText(job.text);
  out["notApplied"] = Json::array();
  for (const auto& tweak : reset) {
    const TweakState state = guarded::queryState(*tweak);
    if (state == TweakState::Applied) continue;
    printError(L"vxctl: " + tweak->id + L" не применён (" + stateName(state) + L")");
    out["notApplied"].push_back(jsonText(tweak->id));
    status = kExitFailed;
  }
  if (json) printJson(out);
  return status;
}

const CliRegistrar registrar{{CliPlace::Drift, L"drift", L"vxctl drift [--apply] [--json]",
                              L"твики, сброшенные после применения; --apply применяет их снова", runDrift}};

}  // namespace

}  // namespace vx::cli
