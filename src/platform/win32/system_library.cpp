#include "platform/win32/system_library.h"

#include <map>
#include <mutex>
#include <string>

#include "base/process_wide.h"

namespace vx::win32 {

namespace {

// Loaded modules by name. They are never freed: function pointers taken from them stay valid.
struct LoadedLibraries {
  std::mutex mutex;
  std::map<std::wstring, HMODULE> modules;
};

}  // namespace

HMODULE systemLibrary(const wchar_t* dllName) {
  auto& loaded = processWide<LoadedLibraries>();
  std::lock_guard lock(loaded.mutex);
  auto [it, inserted] = loaded.modules.try_emplace(dllName, nullptr);
  if (inserted) it->second = LoadLibraryExW(dllName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return it->second;
}

}  // namespace vx::win32
