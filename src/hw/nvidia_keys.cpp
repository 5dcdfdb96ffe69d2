#include "hw/nvidia_keys.h"

#include "hw/display_adapters.h"

namespace vx {

std::vector<std::wstring> nvidiaDisplayKeys() {
  std::vector<std::wstring> keys;
  for (const DisplayAdapter& adapter : enumDisplayAdapters()) {
    if (adapter.vendor == L"NVIDIA") keys.push_back(adapter.keyPath);
  }
  return keys;
}

}  // namespace vx
