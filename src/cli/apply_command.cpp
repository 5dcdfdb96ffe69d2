// vxctl apply ID... and vxctl revert ID...: through the engine, with a safety net before
// aggressive tweaks. One id to apply gets the card's texts; several are applied as one batch with
// the selected-tweaks job's text. Reverts report each tweak on its own line; --force puts a
// written config file back from its backup even when the user changed it since. An unknown id stops
// the command before anything is changed.
#include "cli/cli_catalog.h"
#include "core/change_guard.h"
#include "core/guarded_calls.h"
#include "cli/cli_command.h"
#include "core/engine.h"
#include "core/job_results.h"
#include "core/journal_run.h"
#include "games/config_file_tweaks.h"

namespace vx::cli {

namespace {

int printStatus(const StatusText& status) {
  if (status.outcome == StatusOutcome::Success) {
    printLine(status.text);
    return kExitOk;
  }
  printError(status.text);
  return kExitFailed;
}

// vxctl waits for another Vantorix process's change as a job does, then gives up with the text.
bool lockedOrSaysSo(const ChangeGuard& guard) {
  if (!guard.held()) printError(kAnotherCopyBusyMessage);
  return guard.held();
}

int runApply(const std::vector<std::wstring>& args) {
  if (args.empty()) return usageError(L"apply: не указан ни один твик");
  const auto tweaks = tweaksByIds(args);
  if (!tweaks) return kExitFailed;
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!lockedOrSaysSo(guard)) return kExitFailed;
  if (tweaks->size() == 1) {
    Tweak& tweak = *tweaks->front();
    if (guarded::queryState(tweak) == TweakState::Unavailable) return printStatus(unavailableStatus(tweak));
    return printStatus(applyWithStatus(tweak));
  }
  const JobResult job = runSelectedJob(*tweaks);
  printLine(job.text);
  int status = kExitOk;
  for (const auto& tweak : *tweaks) {
    const TweakState state = guarded::queryState(*tweak);
    if (state == TweakState::Applied) continue;
    printError(L"vxctl: " + tweak->id + L" не применён (" + stateName(state) + L")");
    status = kExitFailed;
  }
  return status;
}

// --force: a written config file the user changed since comes back from its backup whole.
StatusText forcedRevert(Tweak& tweak) {
  auto* written = dynamic_cast<WriteFileTweak*>(&tweak);
  if (written == nullptr) return revertWithStatus(tweak);
  JournalStep step(tweak, JournalAction::Revert);
  const bool reverted = written->revertWhole();
  step.finish(reverted);
  if (reverted) return {tweak.title + L": откачено", StatusOutcome::Success};
  return revertFailedStatus(tweak);
}

int runRevert(const std::vector<std::wstring>& given) {
  std::vector<std::wstring> args;
  bool force = false;
  for (const std::wstring& arg : given) {
    if (arg == L"--force")
      force = true;
    else
      args.push_back(arg);
  }
  if (args.empty()) return usageError(L"revert: не указан ни один твик");
  const auto tweaks = tweaksByIds(args);
  if (!tweaks) return kExitFailed;
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!lockedOrSaysSo(guard)) return kExitFailed;
  const JournalRun run(tweaks->size() == 1 ? L"revert_" + tweaks->front()->id : std::wstring(L"revert_selected"));
  int status = kExitOk;
  for (const auto& tweak : *tweaks) {
    const StatusText result = guarded::queryState(*tweak) == TweakState::Unavailable ? unavailableStatus(*tweak)
                              : force ? forcedRevert(*tweak)
                                      : revertWithStatus(*tweak);
    if (printStatus(result) != kExitOk) status = kExitFailed;
  }
  return status;
}

const CliRegistrar applyRegistrar{{CliPlace::Apply, L"apply", L"vxctl apply ID...", L"применить твики", runApply}};
const CliRegistrar revertRegistrar{{CliPlace::Revert, L"revert", L"vxctl revert ID... [--force]", L"отменить твики", runRevert}};

}  // namespace

}  // namespace vx::cli
