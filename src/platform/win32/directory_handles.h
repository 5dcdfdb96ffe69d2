// Folders and files reached through handles only: a folder opened once without following a link,
// its listing read through that handle, and each entry opened relative to it by its name. Used by
// the deletion walk (files.cpp) and the private program folder (program_folder.cpp), so that a
// link planted between a listing and the next step can never redirect an elevated program.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace vx::win32 {

// CreateFileW with FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT: the folder (or link)
// itself, never what a link points to. Empty on failure.
UniqueHandle openFolderItself(const std::wstring& path, DWORD access);

enum class EntryKind { File, Folder };

// NtCreateFile with the parent handle as RootDirectory and the entry's name: opened where the
// listing found it, with FILE_OPEN_REPARSE_POINT, as a folder or as a non-folder (a folder swapped
// for a file, or the reverse, fails to open). Empty on failure.
UniqueHandle openEntry(HANDLE parent, const std::wstring& name, EntryKind kind, DWORD access);

// FILE_ATTRIBUTE_* of the object behind the handle (FileBasicInfo); nothing when unreadable.
std::optional<DWORD> attributesOf(HANDLE handle);

struct HandleEntry {
  std::wstring name;
  DWORD attributes = 0;
  std::uint64_t size = 0;  // EndOfFile
};

// The folder's entries without "." and "..", through GetFileInformationByHandleEx with
// FileIdBothDirectoryRestartInfo / FileIdBothDirectoryInfo; nothing when the listing fails.
std::optional<std::vector<HandleEntry>> listThroughHandle(HANDLE folder);

}  // namespace vx::win32
