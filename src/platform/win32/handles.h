// Owners for the Win32 handles the platform backend opens, so that every early return closes
// what was opened. Used by all files of src/platform/win32 (and the Windows test scene).
#pragma once
#include <windows.h>
#include <objbase.h>  // CoTaskMemFree; WIN32_LEAN_AND_MEAN leaves it out

#include <memory>
#include <type_traits>

namespace vx::win32 {

struct RegKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

struct ServiceHandleCloser {
  void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using UniqueServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

// Kernel object handles (files, processes, threads). CreateFileW reports failure as
// INVALID_HANDLE_VALUE, so adopt() maps that to an empty owner.
struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;

inline UniqueHandle adoptFileHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct FindHandleCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
using UniqueFindHandle = std::unique_ptr<void, FindHandleCloser>;

struct LibraryCloser {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryCloser>;

// Memory that Windows hands out and the caller frees with LocalFree (PowerGetActiveScheme).
struct LocalMemoryFreer {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using UniqueLocalMemory = std::unique_ptr<T, LocalMemoryFreer>;

// Memory freed with CoTaskMemFree (SHGetKnownFolderPath).
struct CoTaskMemoryFreer {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
template <typename T>
using UniqueCoTaskMemory = std::unique_ptr<T, CoTaskMemoryFreer>;

}  // namespace vx::win32
