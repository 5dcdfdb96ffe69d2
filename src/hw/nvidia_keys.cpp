#include "hw/nvidia_keys.h"

#include "hw/display_adapters.h"
#include "platform/registry.h"

namespace vx {

std::vector<std::wstring> nvidiaDisplayKeys() {
  std::vector<std::wstring> keys;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    if (adapter.vendor == L"NVIDIA") keys.push_back(adapter.keyPath);
  }
  return keys;
}

std::vector<std::wstring> nvidiaDriverDescKeys() {
  std::vector<std::wstring> keys;
  constexpr std::size_t kNameChars = 65;  // names up to 64 characters and the terminator
  for (const std::wstring& name : regEnumSubkeys(RegRoot::LocalMachine, kDisplayClassKey, kNameChars)) {
    const std::wstring path = std::wstring(kDisplayClassKey) + L"\\" + name;
    const auto desc = regReadString(RegRoot::LocalMachine, path, L"DriverDesc");
    if (desc && (desc->find(L"NVIDIA") != std::wstring::npos || desc->find(L"GeForce") != std::wstring::npos))
      keys.push_back(path);
  }
  return keys;
}

}  // namespace vx
