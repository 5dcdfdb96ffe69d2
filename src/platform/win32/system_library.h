// DLLs loaded at run time from System32 only. An elevated program must never take a DLL from its
// own folder or the current directory (a Downloads folder may hold a planted powrprof.dll), so
// everything that is not a "known DLL" is loaded here with LOAD_LIBRARY_SEARCH_SYSTEM32, and
// its functions are looked up by name (native_api.h). A library that cannot be loaded yields null functions.
#pragma once
#include <windows.h>

namespace vx::win32 {

// The module of a System32 DLL, loaded on first use and kept for the life of the process (the
// functions taken from it may be called until the process ends). Null when it cannot be loaded.
HMODULE systemLibrary(const wchar_t* dllName);

}  // namespace vx::win32
