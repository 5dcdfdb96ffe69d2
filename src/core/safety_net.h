// The safety net built before aggressive tweaks are applied: a new backup run folder, a Windows
// restore point and a reg.exe export of every key the tweaks name (a note file for missing keys).
// Called by the engine (engine.h) for the card toggle and the list jobs.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/tweak.h"

namespace vx {

struct SafetyNetResult {
  bool backupsOk = false;            // every key exported or recorded as missing (true for no keys)
  bool restorePointCreated = false;  // Windows confirmed the restore point
  std::wstring backupDir;            // the run folder; empty when it could not be made
  std::wstring message;              // empty, or kNoBackupDirMessage
  std::vector<bool> keysExported;    // per key in list order: exported or recorded as missing
};

inline constexpr const wchar_t* kNoBackupDirMessage = L"Не удалось создать каталог бэкапа.";
// An aggressive tweak whose keys could not all be exported is not applied.
inline constexpr const wchar_t* kBackupFailedMessage = L"Не удалось сохранить бэкап — твик не применён";

// Written instead of a .reg file for a key that cannot be opened: ASCII, line feed, no byte-order mark.
inline constexpr std::string_view kMissingKeyNote =
    "Key did not exist at backup time. Restoring means deleting the key.\n";

// Exports root\subkey with reg.exe into runDir\<stem>.reg, or writes runDir\<stem>.missing.txt
// when the key does not exist (that counts as success). False for an empty folder, a key that
// exists but cannot be opened for reading, a failed or timed-out reg.exe, and a key path holding a
// double quote (it would break out of the quoted argument, so no process is started).
bool exportKey(const std::wstring& runDir, RegRoot root, const std::wstring& subkey, const std::wstring& stem);

// Asks PowerShell to turn System Restore on for the system drive; the outcome is not checked.
void enableSystemRestore();

// Creates a MODIFY_SETTINGS restore point; true when Windows confirmed it.
bool createRestorePoint(const std::wstring& description);

// Folder, restore point "Vantorix: <label>", then one export per key numbered from 0 in list
// order. Without a folder nothing else is done and the message is set.
SafetyNetResult prepareSafetyNet(const std::vector<BackupKey>& keys, const std::wstring& label);

}  // namespace vx
