// Opening files and URIs through shell32.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

namespace vx {

bool shellOpen(const std::wstring& target) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // ShellExecuteW reports success as a value greater than 32.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vx
