// The physical network adapters from the network class key: driver key, TCP/IP interface key and
// vendor flags. Used by the network adapter tweaks, which act on every adapter listed.
#pragma once
#include <string>
#include <vector>

#include "hw/adapter_verdict.h"

namespace vx {

// The network adapter class key below HKEY_LOCAL_MACHINE.
inline constexpr const wchar_t* kNetworkClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";
inline constexpr const wchar_t* kTcpipInterfacesKey = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

struct NetworkAdapter {
  std::wstring instanceId;          // NetCfgInstanceId, a GUID in braces
  std::wstring description;         // DriverDesc as stored
  std::wstring keyPath;             // the driver key: network class key + "\" + subkey
  std::wstring tcpipInterfacePath;  // TCP/IP interfaces key + "\" + instanceId
  bool isIntel = false;             // the description mentions Intel
  bool isRealtek = false;           // the description mentions Realtek
};

// Adapters in registry enumeration order: numbered subkeys with both DriverDesc and
// NetCfgInstanceId, without loopback, miniport, ISATAP, Teredo and virtual adapters by their
// English names, and, where the adapter has a Characteristics value, only physical ones
// (NCF_PHYSICAL set, NCF_VIRTUAL and NCF_HIDDEN clear) whatever the display language.
std::vector<NetworkAdapter> enumNetworkAdapters();

// Every numbered subkey of the network class key with the decision enumNetworkAdapters takes on it.
std::vector<AdapterVerdict> networkAdapterVerdicts();

}  // namespace vx
