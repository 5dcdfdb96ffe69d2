// Looks up a function exported by a DLL at run time and gives it its real type. Used where the
// program must keep working when the export is missing (RtlGetVersion, SRSetRestorePointW).
#pragma once
#include <windows.h>

namespace vx::win32 {

template <typename Function>
Function findExport(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  const FARPROC address = GetProcAddress(module, name);
  // Through a plain function pointer type: a direct cast between unrelated function types is
  // what compilers warn about, and FARPROC is only a placeholder type anyway.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace vx::win32
