// Scene builders for the advanced tweak tests on the simulated machine: network adapters in the
// network class key and a GPU with its PCI device, so a test says "an Intel Wi-Fi card next to a
// Hyper-V switch" or "an RTX 3070" in a line.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/sim/machine.h"

namespace vx::test {

// NCF_ bits of a network adapter's Characteristics value.
inline constexpr std::uint32_t kNcfVirtual = 0x1, kNcfPhysical = 0x4, kNcfHidden = 0x8, kNcfHasUi = 0x80;

// Adds the network class subkey (e.g. "0001") with DriverDesc and, when given, NetCfgInstanceId
// and Characteristics. Returns the subkey's path below HKEY_LOCAL_MACHINE.
std::wstring addNetworkAdapter(sim::Machine& m, const std::wstring& subkey, const std::wstring& driverDesc,
                               const std::wstring& instanceId = {},
                               std::optional<std::uint32_t> characteristics = std::nullopt);

// The TCP/IP interface key of an adapter's NetCfgInstanceId.
std::wstring tcpipInterfaceKey(const std::wstring& instanceId);

struct GpuScene {
  std::wstring classKey;      // the display class subkey (driver key)
  std::wstring instancePath;  // Enum\PCI\<device>\<instance>, empty when built without instance
};

// An NVIDIA GeForce RTX 3070 (pci\ven_10de&dev_2484) at the display class subkey, with its PCI
// device key and, unless told otherwise, one instance below it.
GpuScene addRtx3070(sim::Machine& m, const std::wstring& subkey = L"0000", bool withInstance = true);

// A Radeon RX 6800 (pci\ven_1002&dev_73bf) with its PCI device and instance.
GpuScene addRx6800(sim::Machine& m, const std::wstring& subkey);

}  // namespace vx::test
