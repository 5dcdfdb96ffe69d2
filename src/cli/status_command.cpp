// vxctl status [ID...] [--json]: "id<TAB>state" for the named tweaks, or for every tweak without
// ids; as JSON the rows of `list --json`. Unknown ids are reported on standard error (exit 1), the
// known ones still shown.
#include "cli/catalog_listing.h"
#include "cli/cli_catalog.h"
#include "core/guarded_calls.h"
#include "cli/cli_command.h"
#include "core/catalog.h"
#include "core/engine.h"

namespace vx::cli {

namespace {

int runStatus(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  int status = kExitOk;
  std::vector<TweakPtr> shown;
  if (args.empty()) shown = catalog();
  for (const auto& id : args) {
    if (auto tweak = findById(catalog(), id)) {
      shown.push_back(std::move(tweak));
    } else {
      printError(L"vxctl: неизвестный твик «" + id + L"»");
      status = kExitFailed;
    }
  }
  if (json) {
    printJson(catalogListingJson(shown));
    return status;
  }
  for (const auto& tweak : shown) printLine(tweak->id + L"\t" + stateName(guarded::queryState(*tweak)));
  return status;
}

const CliRegistrar registrar{
    {CliPlace::Status, L"status", L"vxctl status [ID...] [--json]", L"состояние твиков", runStatus}};

}  // namespace

}  // namespace vx::cli
