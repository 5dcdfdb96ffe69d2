#include "core/program_folder.h"

#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/system.h"

namespace vx {

std::optional<std::wstring> programFolderPath() {
  const auto programData = programDataFolder();
  if (!programData || programData->empty()) return std::nullopt;
  return joinPath(*programData, L"Vantorix");
}

std::optional<std::wstring> programFolder() {
  const auto path = programFolderPath();
  if (!path) return std::nullopt;
  const std::wstring& folder = *path;
  if (!ensurePrivateFolder(folder)) return std::nullopt;
  // Checked once the folder is private: nobody but an administrator can plant a link after this.
  for (const wchar_t* name : {kBackupsFolderName, kMemoryFileName, kJournalFileName})
    if (fileStatus(joinPath(folder, name)).isLink) return std::nullopt;
  return folder;
}

}  // namespace vx
