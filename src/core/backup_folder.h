// The dated backup folders below "%ProgramData%\Vantorix\Backups": their names, the sanitising of
// labels and file stems, and the creation of one run folder per safety net. Used by the safety
// net, by vxctl backups and by the window's action that opens the backup folder.
#pragma once
#include <string>
#include <string_view>

#include "platform/system.h"

namespace vx {

// "%ProgramData%\Vantorix\Backups"; empty when the ProgramData folder cannot be found. Creates nothing.
std::wstring backupRoot();

// Letters, digits, '_', '-' and '.' kept, spaces made underscores, everything else dropped, then
// cut to 64 characters.
std::wstring safeLabel(std::wstring_view label);

// Like safeLabel, but a disallowed character becomes an underscore; an empty stem becomes "key".
std::wstring safeFileStem(std::wstring_view stem);

// "YYYY-MM-DD_hh-mm-ss", then "_" and the safe label when that is not empty.
std::wstring backupFolderName(const CalendarTime& time, std::wstring_view label);

// Creates a new run folder named from the local time and the label and returns its path, or
// empty when it cannot be made or the program folder is refused (programFolder()). A folder that already exists (a second safety net with the same
// label in the same second) is never reused: the name gets "-2", "-3", ... instead.
std::wstring createBackupRunDir(std::wstring_view label);

}  // namespace vx
