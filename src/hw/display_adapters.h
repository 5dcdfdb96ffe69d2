// The machine's display adapters from the display class key, with driver key path, device id and
// vendor. Called by the driver list, vxctl hw and the tweaks that write driver settings.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "hw/adapter_verdict.h"

namespace vx {

struct DisplayAdapter {
  std::wstring name;              // DriverDesc
  std::wstring keyPath;           // the adapter's class subkey below HKEY_LOCAL_MACHINE
  std::wstring matchingDeviceId;  // MatchingDeviceId or empty
  std::wstring vendor;            // "NVIDIA", "AMD", "INTEL" or "OTHER"
};

// The display class key below HKEY_LOCAL_MACHINE.
inline constexpr const wchar_t* kDisplayClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";

// Adapters in registry enumeration order; numbered subkeys only. Windows' own adapters are left
// out: the Basic Display Adapter by its English name, and on any display language every adapter
// whose driver comes from Microsoft (ProviderName "Microsoft" or InfPath "display.inf": the Basic
// Display, Hyper-V and remote display adapters).
std::vector<DisplayAdapter> enumDisplayAdapters();

// Every numbered subkey of the display class key with the decision enumDisplayAdapters takes on it.
std::vector<AdapterVerdict> displayAdapterVerdicts();

// The vendor a driver description names: "NVIDIA", "AMD", "INTEL" or "OTHER".
std::wstring displayAdapterVendor(std::wstring_view driverDesc);

}  // namespace vx
