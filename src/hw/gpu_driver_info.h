// The installed driver version of every display adapter, as the vendor publishes it, with the
// vendor's driver download page. Built once for the home page's driver cards and for vxctl hw.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "hw/display_adapters.h"

namespace vx {

struct GpuDriverInfo {
  std::wstring name;            // from the adapter
  std::wstring vendor;          // from the adapter
  std::wstring driverVersion;   // raw DriverVersion or empty
  std::wstring displayVersion;  // e.g. 536.23 for NVIDIA, otherwise the raw version
  std::wstring downloadPage;    // empty for "OTHER"
  std::wstring linkLabel;       // empty for "OTHER"
  bool operator==(const GpuDriverInfo&) const = default;
};

// NVIDIA's public version from the Windows driver version (31.0.15.3623 -> 536.23): the last five
// digits of the third and fourth dotted pieces; empty when there are fewer pieces or digits.
std::wstring nvidiaPublicVersion(std::wstring_view driverVersion);

// The card for one adapter with the given raw DriverVersion; touches nothing outside.
GpuDriverInfo makeGpuDriverInfo(const DisplayAdapter& adapter, std::wstring driverVersion);

// One entry per adapter of enumDisplayAdapters(), in the same order.
std::vector<GpuDriverInfo> readGpuDriverInfo();

}  // namespace vx
