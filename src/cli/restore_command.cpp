// vxctl restore ID|--run N [--dry-run] [--force]: puts back the exact values the most recent
// successful apply of ID (or every step of run N) replaced; a value changed since is left alone
// unless --force. The dry run prints the plan and changes nothing. Exit 0 only when every planned
// step succeeded and nothing was skipped, 1 otherwise, 2 for a bad argument or an unknown run.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "cli/whole_number.h"
#include "core/change_guard.h"
#include "core/change_journal.h"
#include "core/restore_plan.h"

namespace vx::cli {

namespace {

struct RestoreArgs {
  std::wstring id;
  std::optional<std::uint32_t> run;
  bool dryRun = false;
  bool force = false;
};

// Nothing when the words are off; the reason is printed then.
std::optional<RestoreArgs> parseArgs(const std::vector<std::wstring>& args, std::wstring& why) {
  RestoreArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (arg == L"--dry-run") {
      parsed.dryRun = true;
    } else if (arg == L"--force") {
      parsed.force = true;
    } else if (arg == L"--run") {
      if (parsed.run || i + 1 >= args.size() || !(parsed.run = positiveNumber(args[++i]))) {
        why = L"restore: после --run нужен номер запуска";
        return std::nullopt;
      }
    } else if (!arg.empty() && arg[0] == L'-') {
      why = L"неизвестный параметр «" + arg + L"»";
      return std::nullopt;
    } else if (parsed.id.empty()) {
      parsed.id = arg;
    } else {
      why = L"restore: нужен один ID твика или --run N";
      return std::nullopt;
    }
  }
  if (parsed.id.empty() == !parsed.run.has_value()) {
    why = L"restore: нужен один ID твика или --run N";
    return std::nullopt;
  }
  return parsed;
}

bool planSkipsSomething(const RestorePlan& plan) {
  for (const auto& item : plan.items) {
    if (!item.restorable) return true;
    for (const auto& step : item.steps)
      if (step.action == RestoreStepAction::ChangedSince || step.action == RestoreStepAction::Unreadable) return true;
  }
  return false;
}

int runRestore(const std::vector<std::wstring>& args) {
  std::wstring why;
  const auto parsed = parseArgs(args, why);
  if (!parsed) return usageError(why);
  const ChangeGuard guard(kChangeLockWaitMs);  // the plan is read and carried out under one hold
  if (!guard.held()) {
    printError(kAnotherCopyBusyMessage);
    return kExitFailed;
  }
  const auto lines = readJournal();
  std::optional<RestorePlan> plan;
  if (parsed->run) {
    plan = planRunRestore(lines, catalog(), *parsed->run, parsed->force);
    if (!plan) {
      printError(L"vxctl: в журнале нет запуска #" + std::to_wstring(*parsed->run));
      return kExitUsage;
    }
  } else {
    plan = planTweakRestore(lines, catalog(), parsed->id, parsed->force);
    if (!plan) {
      const bool journalled = std::any_of(lines.begin(), lines.end(), [&](const JournalLine& l) { return l.id == parsed->id; });
      if (!journalled && !tweaksByIds({parsed->id})) return kExitUsage;  // an id nobody knows
      printError(L"vxctl: в журнале нет успешного применения " + parsed->id);
      return kExitFailed;
    }
  }
  if (parsed->dryRun) {
    printLine(L"План восстановления «" + plan->label + L"» (пробный запуск, ничего не изменено):");
    for (const auto& line : restorePlanLines(*plan)) printLine(line);
    return planSkipsSomething(*plan) ? kExitFailed : kExitOk;
  }
  const RestoreReport report = carryOutRestore(*plan);
  for (const auto& line : report.lines) printLine(line);
  if (report.succeeded()) {
    printLine(restoreStatusText(report));
    return kExitOk;
  }
  printError(restoreStatusText(report));
  return kExitFailed;
}

const CliRegistrar registrar{{CliPlace::Restore, L"restore", L"vxctl restore ID|--run N [--dry-run] [--force]",
                              L"вернуть значения, которые были до применения (по журналу)", runRestore}};

}  // namespace

}  // namespace vx::cli
