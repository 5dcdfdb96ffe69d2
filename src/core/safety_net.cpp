#include "core/safety_net.h"

#include <string>

#include "core/backup_folder.h"
#include "platform/files.h"
#include "platform/system_tool.h"
#include "platform/registry.h"
#include "platform/restore_point.h"
#include "platform/system.h"

namespace vx {

namespace {

constexpr std::uint32_t kRegExportTimeoutMs = 30000;
constexpr std::uint32_t kPowerShellTimeoutMs = 15000;

const wchar_t* const kSystemRestoreKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";

}  // namespace

bool exportKey(const std::wstring& runDir, RegRoot root, const std::wstring& subkey, const std::wstring& stem) {
  if (runDir.empty()) return false;
  // Everything below ends up between double quotes on a command line.
  if (subkey.find(L'"') != std::wstring::npos || runDir.find(L'"') != std::wstring::npos) return false;
  const bool readable = regKeyReadable(root, subkey);
  const std::wstring file = runDir + L"\\" + safeFileStem(stem);
  if (!readable) {
    writeFileBytes(file + L".missing.txt", std::string(kMissingKeyNote));  // a missing key is not a failure
    return true;
  }
  return systemToolSucceeds(L"reg.exe",
                            L"export \"" + std::wstring(regRootShortName(root)) + L"\\" + subkey + L"\" \"" + file +
                                L".reg\" /y",
                            kRegExportTimeoutMs);
}

void enableSystemRestore() {
  runSystemTool(L"WindowsPowerShell\\v1.0\\powershell.exe",
                L"-NoProfile -WindowStyle Hidden -Command \"Enable-ComputerRestore -Drive ${env:SystemDrive}\"",
                kPowerShellTimeoutMs);
}

bool createRestorePoint(const std::wstring& description) {
  const auto prepare = [] {
    enableSystemRestore();
    // Windows otherwise refuses a second restore point within 24 hours; the value stays in place.
    regWriteDword(RegRoot::LocalMachine, kSystemRestoreKey, L"SystemRestorePointCreationFrequency", 0);
  };
  return setSystemRestorePoint(description, prepare) ==
         RestorePointOutcome::Created;
}

SafetyNetResult prepareSafetyNet(const std::vector<BackupKey>& keys, const std::wstring& label) {
  SafetyNetResult result;
  result.backupDir = createBackupRunDir(label);
  if (result.backupDir.empty()) {
    result.message = kNoBackupDirMessage;
    return result;
  }
  result.restorePointCreated = createRestorePoint(L"Vantorix: " + label);
  bool allOk = true;
  for (std::size_t i = 0; i < keys.size(); ++i)
    allOk = exportKey(result.backupDir, keys[i].root, keys[i].subkey, std::to_wstring(i)) && allOk;
  result.backupsOk = allOk;
  return result;
}

}  // namespace vx
