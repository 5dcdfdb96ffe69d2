// vxctl import FILE [--dry-run]: applies a kept tweak set as one batch labelled "import", leaving out
// what is Applied already. A file that is not a set, over 1 MiB or naming no known tweak is refused
// with exit 2 before anything changes; unknown ids are listed and skipped. Exit 0 when every known
// tweak of the file is Applied afterwards, 1 otherwise. The dry run says per id what would happen.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/guarded_calls.h"
#include "core/tweak_import.h"
#include "core/tweak_set_file.h"

namespace vx::cli {

namespace {

int refuse(TweakSetError error) {
  printError(L"vxctl: " + tweakSetErrorText(error));
  return kExitUsage;
}

int runImport(const std::vector<std::wstring>& args) {
  std::vector<std::wstring> files;
  bool dryRun = false;
  for (const auto& arg : args) {
    if (arg == L"--dry-run")
      dryRun = true;
    else
      files.push_back(arg);
  }
  if (files.size() != 1) return usageError(L"import: нужен один файл набора");

  const TweakSetRead set = readTweakSet(files.front());
  if (set.error != TweakSetError::None) return refuse(set.error);
  const ImportPlan plan = planImport(catalog(), set.ids);
  if (plan.knownCount() == 0) return refuse(TweakSetError::NoKnownTweak);

  if (dryRun) {
    printLine(L"Набор " + files.front() + L": будет применено " + std::to_wstring(plan.batch().size()) + L" из " +
              std::to_wstring(plan.knownCount()) + L" (пробный запуск, ничего не изменено)");
    for (const auto& line : plan.lines) printLine(importDryRunLine(line));
    return kExitOk;
  }
  for (const auto& line : plan.lines)
    if (line.step == ImportStep::Unknown) printError(L"vxctl: неизвестный id «" + line.id + L"» — пропущен");

  const ImportOutcome outcome = runImport(plan);
  if (outcome.busy) {
    printError(importResultText(outcome));
    return kExitFailed;
  }
  printLine(importResultText(outcome));
  for (const auto& line : plan.lines) {
    if (!line.tweak || line.step == ImportStep::AlreadyApplied) continue;
    const TweakState state = guarded::queryState(*line.tweak);
    if (state != TweakState::Applied)
      printError(L"vxctl: " + line.id + L" не применён (" + stateName(state) + L")");
  }
  return outcome.complete() ? kExitOk : kExitFailed;
}

const CliRegistrar registrar{
    {CliPlace::Import, L"import", L"vxctl import FILE [--dry-run]", L"применить сохранённый набор твиков", runImport}};

}  // namespace

}  // namespace vx::cli
