// DLLs loaded at run time from System32 only. An elevated program must never take a DLL from its
// own folder or the current directory (a Downloads folder may hold a planted powrprof.dll), so
// everything that is not a "known DLL" is loaded here with LOAD_LIBRARY_SEARCH_SYSTEM32, and
// its functions are looked up by name. A library that cannot be loaded yields null functions.
#pragma once
#include <windows.h>

#include "platform/win32/dynamic_function.h"

namespace vx::win32 {

// The module of a System32 DLL, loaded on first use and kept for the life of the process (the
// functions taken from it may be called until the process ends). Null when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* dllName);

// A function of a System32 DLL; null when the DLL or the export is missing.
template <typename Function>
Function systemFunction(const wchar_t* dllName, const char* exportName) {
  return findExport<Function>(systemLibrary(dllName), exportName);
}

}  // namespace vx::win32
