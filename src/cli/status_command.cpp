// vxctl status [ID...]: "id<TAB>state" for the named tweaks, or for every tweak without ids.
#include "cli/cli_catalog.h"
#include "core/guarded_calls.h"
#include "cli/cli_command.h"
#include "core/catalog.h"
#include "core/engine.h"

namespace vx::cli {

namespace {

int runStatus(const std::vector<std::wstring>& args) {
  int status = kExitOk;
  auto print = [](Tweak& tweak) { printLine(tweak.id + L"\t" + stateName(guarded::queryState(tweak))); };
  if (args.empty()) {
    for (const auto& tweak : catalog()) print(*tweak);
    return status;
  }
  // Unknown ids are reported, the known ones still shown.
  for (const auto& id : args) {
    if (const auto tweak = findById(catalog(), id)) {
      print(*tweak);
    } else {
      printError(L"vxctl: неизвестный твик «" + id + L"»");
      status = kExitFailed;
    }
  }
  return status;
}

const CliRegistrar registrar{{CliPlace::Status, L"status", L"vxctl status [ID...]", L"состояние твиков", runStatus}};

}  // namespace

}  // namespace vx::cli
