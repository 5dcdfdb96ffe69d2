// vxctl list: every tweak in catalogue order, one tab-separated line each:
// id, category, profile tier, "aggressive" or "-", current state, title.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/engine.h"
#include "core/profiles.h"

namespace vx::cli {

namespace {

int runList(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"list не принимает аргументов");
  for (const auto& tweak : catalog()) {
    printLine(tweak->id + L"\t" + categoryName(tweak->category) + L"\t" + std::to_wstring(tierOf(*tweak)) + L"\t" +
              (tweak->isAggressive() ? L"aggressive" : L"-") + L"\t" + stateName(queryStateGuarded(*tweak)) +
              L"\t" + tweak->title);
  }
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::List, L"list", L"vxctl list", L"все твики и их состояние", runList}};

}  // namespace

}  // namespace vx::cli
