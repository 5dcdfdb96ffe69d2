#include "core/backup_folder.h"

#include <cstdio>

#include "base/text.h"
#include "core/program_folder.h"
#include "platform/files.h"

namespace vx {

namespace {

constexpr std::size_t kMaxLabelChars = 64;
// Far more than two safety nets can take in one second; a bound so a broken file system cannot
// keep the loop going.
constexpr int kMaxFolderSuffix = 1000;

bool keptAsIs(wchar_t c) { return isLetterOrDigit(c) || c == L'_' || c == L'-' || c == L'.'; }

std::wstring sanitise(std::wstring_view text, bool replaceDisallowed) {
  std::wstring out;
  for (wchar_t c : text) {
    if (keptAsIs(c))
      out.push_back(c);
    else if (c == L' ' || replaceDisallowed)
      out.push_back(L'_');
  }
  if (out.size() > kMaxLabelChars) out.resize(kMaxLabelChars);
  return out;
}

}  // namespace

std::wstring backupRoot() {
  const auto programData = programDataFolder();
  if (!programData || programData->empty()) return {};
  return *programData + L"\\Vantorix\\Backups";
}

std::wstring safeLabel(std::wstring_view label) { return sanitise(label, false); }

std::wstring safeFileStem(std::wstring_view stem) {
  std::wstring out = sanitise(stem, true);
  return out.empty() ? L"key" : out;
}

std::wstring backupFolderName(const CalendarTime& t, std::wstring_view label) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u_%02u-%02u-%02u", unsigned{t.year}, unsigned{t.month},
                unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute}, unsigned{t.second});
  std::wstring name(stamp, stamp + std::char_traits<char>::length(stamp));
  const std::wstring safe = safeLabel(label);
  if (!safe.empty()) name += L"_" + safe;
  return name;
}

std::wstring createBackupRunDir(std::wstring_view label) {
  // Only inside the private program folder: a folder a user made, or a planted link, gets nothing.
  const auto folder = programFolder();
  if (!folder) return {};
  const std::wstring root = joinPath(*folder, kBackupsFolderName);
  createNewDirectory(root);  // an existing one is fine; a failure shows when the run folder cannot be made
  const std::wstring base = joinPath(root, backupFolderName(localTime(), label));
  // Only a folder this call creates itself is used: an existing one belongs to an earlier safety
  // net (same label, same second) whose exports must not be overwritten.
  for (int n = 1; n <= kMaxFolderSuffix; ++n) {
    const std::wstring path = n == 1 ? base : base + L"-" + std::to_wstring(n);
    switch (createNewDirectory(path)) {
      case NewFolder::Created: return path;
      case NewFolder::Failed: return {};
      case NewFolder::AlreadyExists: break;
    }
  }
  return {};
}

}  // namespace vx
