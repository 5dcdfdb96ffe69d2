// Maps the portable registry roots to the predefined HKEY handles. Used by win32/registry.cpp
// and the Windows test scene.
#pragma once
#include <windows.h>

#include "platform/registry.h"

namespace vx::win32 {

inline HKEY hkeyOf(RegRoot root) {
  switch (root) {
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::Users: return HKEY_USERS;
  }
  return HKEY_LOCAL_MACHINE;
}

}  // namespace vx::win32
