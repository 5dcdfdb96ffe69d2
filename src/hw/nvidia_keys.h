// The driver keys of the NVIDIA display adapters: where the NVIDIA performance tweaks write their
// driver settings. Used by the latency group, the requirement notes and the ULPS game tweak.
#pragma once
#include <string>
#include <vector>

namespace vx {

// The keyPath (below HKEY_LOCAL_MACHINE) of every display adapter whose vendor is exactly "NVIDIA",
// in adapter order.
std::vector<std::wstring> nvidiaDisplayKeys();

// The ULPS tweak's own rule: every display class subkey whose DriverDesc contains "NVIDIA" or
// "GeForce" exactly as written (no case folding), in enumeration order; subkeys without a
// DriverDesc (the class's Properties key) are skipped. Unlike nvidiaDisplayKeys, an adapter
// described as "nVidia Quadro" is not one of them.
std::vector<std::wstring> nvidiaDriverDescKeys();

}  // namespace vx
