// vxctl category NAME apply|revert: every available tweak of one sidebar page, like the page's
// two buttons (no safety net). NAME is the category's enum name in any letter case.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/job_results.h"
#include "base/text.h"

namespace vx::cli {

namespace {

int runCategoryCommand(const std::vector<std::wstring>& args) {
  if (args.size() != 2) return usageError(L"category: нужны имя категории и apply или revert");
  const auto category = parseCategory(args[0]);
  if (!category) return usageError(L"неизвестная категория «" + args[0] + L"»");
  const bool revert = equalsFolded(args[1], L"revert");
  if (!revert && !equalsFolded(args[1], L"apply")) return usageError(L"category: ожидалось apply или revert");
  printLine(categoryJobStartText(revert));
  const JobResult job = runCategoryJob(catalog(), *category, revert);
  printLine(job.text);
  return job.succeeded ? kExitOk : kExitFailed;
}

const CliRegistrar registrar{{CliPlace::Category, L"category", L"vxctl category NAME apply|revert", L"применить или отменить весь раздел", runCategoryCommand}};

}  // namespace

}  // namespace vx::cli
