// vxctl export FILE [ID...]: writes a tweak set file (core/tweak_set_file.h) with the given ids, or
// without ids every tweak that reads Applied now, in catalogue order. It only reads the system.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/tweak_set_file.h"

namespace vx::cli {

namespace {

int runExport(const std::vector<std::wstring>& args) {
  if (args.empty()) return usageError(L"export: не указан файл");
  const std::wstring path = args.front();
  std::vector<std::wstring> ids(args.begin() + 1, args.end());
  if (ids.empty()) {
    ids = appliedTweakIds(catalog());
  } else if (!tweaksByIds(ids)) {
    return kExitFailed;
  }
  if (!writeTweakSet(path, ids)) {
    printError(L"vxctl: не удалось записать " + path);
    return kExitFailed;
  }
  printLine(L"Сохранено твиков: " + std::to_wstring(ids.size()) + L" — " + path);
  return kExitOk;
}

const CliRegistrar registrar{
    {CliPlace::Export, L"export", L"vxctl export FILE [ID...]", L"сохранить набор твиков (без ID — применённые)", runExport}};

}  // namespace

}  // namespace vx::cli
