// "%ProgramData%\Vantorix", the folder of the backups and the assistant's memory, made private to
// the administrators before the elevated program trusts anything in it. The safety net's backup
// folders and memory.json are only ever placed through programFolder().
#pragma once
#include <optional>
#include <string>

namespace vx {

// The files the program keeps directly in its folder.
inline constexpr const wchar_t* kBackupsFolderName = L"Backups";
inline constexpr const wchar_t* kMemoryFileName = L"memory.json";
inline constexpr const wchar_t* kJournalFileName = L"journal.jsonl";

// Where the folder is ("%ProgramData%\\Vantorix"), without creating it or touching its security:
// for reports that only look at it. Nothing when ProgramData cannot be found.
std::optional<std::wstring> programFolderPath();

// The folder path once it is private (ensurePrivateFolder: created with, or taken over and given,
// the protected DACL) and neither it nor Backups, memory.json or journal.jsonl is a link; nothing
// otherwise, and then nothing may be kept there: no backup is made and the assistant's memory
// stays in RAM. Every call makes the folder private again, so each start of the program does.
std::optional<std::wstring> programFolder();

}  // namespace vx
