// vxctl backups: the run folders below "%ProgramData%\Vantorix\Backups", oldest first, each
// followed by its files ("  name<TAB>size in bytes").
#include "cli/cli_command.h"
#include "core/backup_folder.h"
#include "platform/files.h"

namespace vx::cli {

namespace {

int runBackups(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"backups не принимает аргументов");
  const std::wstring root = backupRoot();
  if (root.empty()) {
    printError(L"vxctl: папка ProgramData не найдена");
    return kExitFailed;
  }
  const auto folders = listDirectory(root);
  bool any = false;
  for (const auto& folder : folders.value_or(std::vector<DirEntry>{})) {
    if (!folder.isDirectory) continue;
    any = true;
    const std::wstring path = joinPath(root, folder.name);
    printLine(path);
    const auto files = listDirectory(path);
    if (!files) {
      printError(L"vxctl: не удалось прочитать " + path);
      continue;
    }
    for (const auto& file : *files)
      if (!file.isDirectory) printLine(L"  " + file.name + L"\t" + std::to_wstring(file.size));
  }
  if (!any) printLine(L"Бэкапов нет: " + root);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Backups, L"backups", L"vxctl backups", L"папки резервных копий", runBackups}};

}  // namespace

}  // namespace vx::cli
