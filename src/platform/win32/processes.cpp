// The process list from a tool-help snapshot (kernel32).
#include "platform/processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/handles.h"

namespace vx {

std::optional<std::vector<std::wstring>> processImageNames() {
  const win32::UniqueHandle snapshot = win32::adoptFileHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<std::wstring> names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
    names.emplace_back(entry.szExeFile);
  return names;
}

}  // namespace vx
