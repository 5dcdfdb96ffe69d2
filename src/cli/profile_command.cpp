// vxctl profile basic|optimal|maximum [--dry-run]: applies a profile like its button; the dry run
// only lists the tweaks the profile would apply ("id<TAB>tier<TAB>state<TAB>title").
#include "cli/cli_catalog.h"
#include "core/guarded_calls.h"
#include "cli/cli_command.h"
#include "core/engine.h"
#include "core/job_results.h"
#include "core/profiles.h"
#include "base/text.h"

namespace vx::cli {

namespace {

int parseLevel(const std::wstring& text) {
  const std::wstring word = toLowerFolded(text);
  if (word == L"basic") return 1;
  if (word == L"optimal") return 2;
  if (word == L"maximum") return 3;
  return 0;
}

int runProfile(const std::vector<std::wstring>& args) {
  if (args.empty() || args.size() > 2) return usageError(L"profile: нужен уровень basic, optimal или maximum");
  const int level = parseLevel(args[0]);
  if (level == 0) return usageError(L"неизвестный профиль «" + args[0] + L"»");
  const bool dryRun = args.size() == 2;
  if (dryRun && args[1] != L"--dry-run") return usageError(L"неизвестный параметр «" + args[1] + L"»");

  const std::wstring name = profileName(level);
  const auto list = selectProfile(level, catalog());
  if (dryRun) {
    printLine(L"Профиль «" + name + L"»: " + std::to_wstring(list.size()) + L" твиков (пробный запуск, ничего не изменено)");
    for (const auto& tweak : list)
      printLine(tweak->id + L"\t" + std::to_wstring(tierOf(*tweak)) + L"\t" + stateName(guarded::queryState(*tweak)) +
                L"\t" + tweak->title);
    return kExitOk;
  }
  printLine(profileJobStartText(name, list.size()));
  const JobResult job = runProfileJob(list, name);
  printLine(job.text);
  int status = kExitOk;
  for (const auto& tweak : list) {
    const TweakState state = guarded::queryState(*tweak);
    if (state == TweakState::Applied) continue;
    printError(L"vxctl: " + tweak->id + L" не применён (" + stateName(state) + L")");
    status = kExitFailed;
  }
  return status;
}

const CliRegistrar registrar{{CliPlace::Profile, L"profile", L"vxctl profile basic|optimal|maximum [--dry-run]", L"применить профиль", runProfile}};

}  // namespace

}  // namespace vx::cli
