// The one-time copy of a game config file that the config-file tweaks keep beside it
// ("client.cfg.vx.bak"), and putting it back on revert.
#pragma once
#include <string>

namespace vx {

std::wstring configBackupPath(const std::wstring& path);

// True when there is nothing to back up (no file) or a backup file already exists (the first one
// survives later applies); otherwise whether the copy was written. The copy is written aside and
// moved in without replacing, so it is whole or absent, beside the path and never through a link;
// a read-only file's copy is read-only too. A backup
// name taken by a folder or a link, or a copy that cannot be written, is false.
bool makeConfigBackup(const std::wstring& path);
// The same with the file's bytes already read.
bool makeConfigBackup(const std::wstring& path, const std::string& bytes);

// True when there is no backup. Otherwise the copy is written over the file through a temporary
// file and a move (the file keeps its read-only flag), and the backup is deleted only once the
// file holds it again; a failure returns false and keeps both.
bool restoreConfigBackup(const std::wstring& path);

// Deletes a file that the tweak created, but only while it still holds exactly `bytes`: a file
// the user has changed since stays. True when no such file is left behind by the tweak.
bool removeIfUnchanged(const std::wstring& path, const std::string& bytes);

}  // namespace vx
