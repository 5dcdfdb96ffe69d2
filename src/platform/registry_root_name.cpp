// The short root names reg.exe and the backup files use; the same on every backend.
#include "platform/registry.h"

namespace vx {

const wchar_t* regRootShortName(RegRoot root) {
  switch (root) {
    case RegRoot::LocalMachine: return L"HKLM";
    case RegRoot::CurrentUser: return L"HKCU";
    case RegRoot::ClassesRoot: return L"HKCR";
    case RegRoot::Users: return L"HKU";
  }
  return L"HKLM";
}

}  // namespace vx
