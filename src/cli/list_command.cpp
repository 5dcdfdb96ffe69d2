// vxctl list [--json]: every tweak in catalogue order with its category, tier, aggressiveness,
// state and title (and, as JSON, its compatibility note).
#include "cli/catalog_listing.h"
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"

namespace vx::cli {

namespace {

int runList(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (!args.empty()) return usageError(L"list принимает только --json");
  if (json) {
    printJson(catalogListingJson(catalog()));
    return kExitOk;
  }
  for (const auto& line : catalogListing(catalog())) printLine(line);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::List, L"list", L"vxctl list [--json]", L"все твики и их состояние", runList}};

}  // namespace

}  // namespace vx::cli
