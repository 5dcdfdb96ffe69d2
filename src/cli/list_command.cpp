// vxctl list: every tweak in catalogue order with its category, tier, aggressiveness, state and title.
#include "cli/catalog_listing.h"
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"

namespace vx::cli {

namespace {

int runList(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"list не принимает аргументов");
  for (const auto& line : catalogListing(catalog())) printLine(line);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::List, L"list", L"vxctl list", L"все твики и их состояние", runList}};

}  // namespace

}  // namespace vx::cli
