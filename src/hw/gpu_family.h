// What a display adapter's name says about its GPU: a generation with hardware-accelerated GPU
// scheduling, and the AMD or NVIDIA architecture family. Pure functions of the name; called by the
// hardware profile (and any code that holds a name).
#pragma once
#include <string>
#include <string_view>

namespace vx {

// The name belongs to a GPU generation that supports hardware-accelerated GPU scheduling.
bool isModernGpu(std::wstring_view gpuName);

// "RDNA3", "RDNA2", "RDNA", "Vega", "Polaris", "GCN" or empty; only for Radeon / AMD names.
std::wstring amdGpuFamily(std::wstring_view gpuName);

// "Ada", "Ampere", "Turing", "Pascal", "Maxwell" or empty; only for NVIDIA / GeForce names.
std::wstring nvidiaGpuFamily(std::wstring_view gpuName);

}  // namespace vx
