// The driver keys of the NVIDIA display adapters: where the NVIDIA performance tweaks write their
// driver settings. Used by the latency group and the requirement notes.
#pragma once
#include <string>
#include <vector>

namespace vx {

// The keyPath (below HKEY_LOCAL_MACHINE) of every display adapter whose vendor is exactly "NVIDIA",
// in adapter order.
std::vector<std::wstring> nvidiaDisplayKeys();

}  // namespace vx
