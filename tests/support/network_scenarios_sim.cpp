#include "support/network_scenarios.h"

#include "support/hardware_scenarios.h"
#include "hw/network_adapters.h"

namespace vx::test {

std::wstring addNetworkAdapter(sim::Machine& m, const std::wstring& subkey, const std::wstring& driverDesc,
                               const std::wstring& instanceId, std::optional<std::uint32_t> characteristics) {
  const std::wstring path = std::wstring(kNetworkClassKey) + L"\\" + subkey;
  m.setString(RegRoot::LocalMachine, path, L"DriverDesc", driverDesc);
  if (!instanceId.empty()) m.setString(RegRoot::LocalMachine, path, L"NetCfgInstanceId", instanceId);
  if (characteristics) m.setDword(RegRoot::LocalMachine, path, L"Characteristics", *characteristics);
  return path;
}

std::wstring tcpipInterfaceKey(const std::wstring& instanceId) {
  return std::wstring(kTcpipInterfacesKey) + L"\\" + instanceId;
}

namespace {

GpuScene addGpu(sim::Machine& m, const std::wstring& subkey, const std::wstring& desc, const std::wstring& deviceId,
                const std::wstring& pciDeviceKey, const std::wstring& instance, bool withInstance) {
  GpuScene scene;
  scene.classKey = addDisplayAdapter(m, subkey, desc, deviceId, L"31.0.15.3623");
  if (withInstance) {
    scene.instancePath = addPciDevice(m, pciDeviceKey, instance);
  } else {
    m.createKey(RegRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Enum\\PCI\\" + pciDeviceKey);
  }
  return scene;
}

}  // namespace

GpuScene addRtx3070(sim::Machine& m, const std::wstring& subkey, bool withInstance) {
  return addGpu(m, subkey, L"NVIDIA GeForce RTX 3070", L"pci\\ven_10de&dev_2484",
                L"VEN_10DE&DEV_2484&SUBSYS_146710DE&REV_A1", L"4&2b7e4e2a&0&0008", withInstance);
}

GpuScene addRx6800(sim::Machine& m, const std::wstring& subkey) {
  return addGpu(m, subkey, L"AMD Radeon RX 6800", L"pci\\ven_1002&dev_73bf",
                L"VEN_1002&DEV_73BF&SUBSYS_0E3A1002&REV_C3", L"6&1c3d2f5&0&00000019", true);
}

}  // namespace vx::test
