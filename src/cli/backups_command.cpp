// vxctl backups [--json]: the run folders below "%ProgramData%\Vantorix\Backups", oldest first,
// each followed by its files ("  name<TAB>size in bytes").
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "core/backup_folder.h"
#include "platform/files.h"

namespace vx::cli {

namespace {

struct BackupRun {
  std::wstring path;
  std::optional<std::vector<DirEntry>> files;  // nothing when the folder cannot be listed
};

std::vector<BackupRun> backupRuns(const std::wstring& root) {
  std::vector<BackupRun> runs;
  for (const auto& folder : listDirectory(root).value_or(std::vector<DirEntry>{})) {
    if (!folder.isDirectory) continue;
    const std::wstring path = joinPath(root, folder.name);
    runs.push_back({path, listDirectory(path)});
  }
  return runs;
}

Json backupsJson(const std::wstring& root, const std::vector<BackupRun>& runs) {
  Json rows = Json::array();
  for (const BackupRun& run : runs) {
    Json files = Json::array();
    for (const auto& file : run.files.value_or(std::vector<DirEntry>{}))
      if (!file.isDirectory) files.push_back({{"name", jsonText(file.name)}, {"size", file.size}});
    rows.push_back({{"path", jsonText(run.path)}, {"files", files}});
  }
  return Json{{"root", jsonText(root)}, {"backups", rows}};
}

int runBackups(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (!args.empty()) return usageError(L"backups принимает только --json");
  const std::wstring root = backupRoot();
  if (root.empty()) {
    printError(L"vxctl: папка ProgramData не найдена");
    return kExitFailed;
  }
  const std::vector<BackupRun> runs = backupRuns(root);
  for (const BackupRun& run : runs)
    if (!run.files) printError(L"vxctl: не удалось прочитать " + run.path);
  if (json) {
    printJson(backupsJson(root, runs));
    return kExitOk;
  }
  for (const BackupRun& run : runs) {
    printLine(run.path);
    for (const auto& file : run.files.value_or(std::vector<DirEntry>{}))
      if (!file.isDirectory) printLine(L"  " + file.name + L"\t" + std::to_wstring(file.size));
  }
  if (runs.empty()) printLine(L"Бэкапов нет: " + root);
  return kExitOk;
}

const CliRegistrar registrar{
    {CliPlace::Backups, L"backups", L"vxctl backups [--json]", L"папки резервных копий", runBackups}};

}  // namespace

}  // namespace vx::cli
