#include "core/safety_net.h"

#include <optional>
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
const wchar_t* const kFrequencyValue = L"SystemRestorePointCreationFrequency";

}  // namespace

bool exportKey(const std::wstring& runDir, RegRoot root, const std::wstring& subkey, const std::wstring& stem) {
  if (runDir.empty()) return false;
  // Everything below ends up between double quotes on a command line.
  if (subkey.find(L'"') != std::wstring::npos || runDir.find(L'"') != std::wstring::npos) return false;
  const std::wstring file = runDir + L"\\" + safeFileStem(stem);
  if (!regKeyReadable(root, subkey)) {
    // Only a key that is not there is recorded as missing (that is not a failure); a key that
    // exists but cannot be read has values the backup would lose, so its export failed.
    if (!regKeyAbsent(root, subkey)) return false;
    writeFileBytes(file + L".missing.txt", std::string(kMissingKeyNote));
    return true;
  }
  return systemToolSucceeds(L"reg.exe",
                            L"export \"" + std::wstring(regRootShortName(root)) + L"\\" + subkey + L"\" \"" + file +
                                L".reg\" /y",
                            kRegExportTimeoutMs);
}

void enableSystemRestore() {
  // The drive as its root, "C:\" (the form Enable-ComputerRestore documents), not "C:".
  runSystemTool(L"WindowsPowerShell\\v1.0\\powershell.exe",
                L"-NoProfile -WindowStyle Hidden -Command \"Enable-ComputerRestore -Drive ($env:SystemDrive + '\\')\"",
                kPowerShellTimeoutMs);
}

bool createRestorePoint(const std::wstring& description) {
  // Windows skips a second restore point within 24 hours unless this value is 0. It is lifted for
  // this call only and then put back as it was (deleted when it was not there), so the user's own
  // limit keeps working for everything else.
  std::optional<RegRawValue> previous;
  bool lifted = false;
  const auto prepare = [&] {
    enableSystemRestore();
    previous = regReadRaw(RegRoot::LocalMachine, kSystemRestoreKey, kFrequencyValue);
    lifted = regWriteDword(RegRoot::LocalMachine, kSystemRestoreKey, kFrequencyValue, 0);
  };
  const RestorePointOutcome outcome = setSystemRestorePoint(description, prepare);
  if (lifted) {
    if (previous)
      regWriteRaw(RegRoot::LocalMachine, kSystemRestoreKey, kFrequencyValue, previous->type, previous->data);
    else
      regDeleteValue(RegRoot::LocalMachine, kSystemRestoreKey, kFrequencyValue);
  }
  return outcome == RestorePointOutcome::Created;
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
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool exported = exportKey(result.backupDir, keys[i].root, keys[i].subkey, std::to_wstring(i));
    result.keysExported.push_back(exported);
    allOk = exported && allOk;
  }
  result.backupsOk = allOk;
  return result;
}

}  // namespace vx
