#include "support/hardware_scenarios.h"

#include "hw/display_adapters.h"

namespace vx::test {

namespace {

constexpr const wchar_t* kCurrentVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

}  // namespace

std::wstring addDisplayAdapter(sim::Machine& m, const std::wstring& subkey, const std::wstring& driverDesc,
                               const std::wstring& matchingDeviceId, const std::wstring& driverVersion) {
  const std::wstring path = std::wstring(kDisplayClassKey) + L"\\" + subkey;
  m.setString(RegRoot::LocalMachine, path, L"DriverDesc", driverDesc);
  if (!matchingDeviceId.empty()) m.setString(RegRoot::LocalMachine, path, L"MatchingDeviceId", matchingDeviceId);
  if (!driverVersion.empty()) m.setString(RegRoot::LocalMachine, path, L"DriverVersion", driverVersion);
  return path;
}

void setDisplayDriverSource(sim::Machine& m, const std::wstring& classKey, const std::wstring& providerName,
                            const std::wstring& infPath) {
  m.setString(RegRoot::LocalMachine, classKey, L"ProviderName", providerName);
  if (!infPath.empty()) m.setString(RegRoot::LocalMachine, classKey, L"InfPath", infPath);
}

void clearDisplayAdapters(sim::Machine& m) {
  m.deleteKey(RegRoot::LocalMachine, kDisplayClassKey);
  m.createKey(RegRoot::LocalMachine, kDisplayClassKey);
}

std::wstring addPciDevice(sim::Machine& m, const std::wstring& deviceKey, const std::wstring& instance) {
  const std::wstring path = L"SYSTEM\\CurrentControlSet\\Enum\\PCI\\" + deviceKey + L"\\" + instance;
  m.createKey(RegRoot::LocalMachine, path);
  return path;
}

void setProcessor(sim::Machine& m, const std::wstring& name, const std::wstring& vendor) {
  m.setString(RegRoot::LocalMachine, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"ProcessorNameString", name);
  m.setCpuVendor(vendor);
}

void setWindowsProduct(sim::Machine& m, const std::wstring& productName, const std::wstring& displayVersion) {
  m.setString(RegRoot::LocalMachine, kCurrentVersionKey, L"ProductName", productName);
  if (displayVersion.empty())
    regDeleteValue(RegRoot::LocalMachine, kCurrentVersionKey, L"DisplayVersion");
  else
    m.setString(RegRoot::LocalMachine, kCurrentVersionKey, L"DisplayVersion", displayVersion);
}

void setMemoryMb(sim::Machine& m, std::uint64_t totalMb) {
  MemoryStatus status;
  status.totalPhysBytes = totalMb << 20;
  status.availPhysBytes = (totalMb / 4) << 20;
  status.loadPercent = 75;
  m.setMemory(status);
}

void setSystemDrive(sim::Machine& m, bool ssd, wchar_t drive) {
  m.setWindowsDirectory(std::wstring(1, drive) + L":\\Windows");
  m.setSeekPenalty(drive, !ssd);
}

void setLaptop(sim::Machine& m, bool laptop) {
  // 1 = high charge; 128 = no system battery.
  m.setBatteryFlag(static_cast<std::uint8_t>(laptop ? 1 : 128));
}

void buildPc(sim::Machine& m, const PcParts& pc) {
  setProcessor(m, pc.cpuName, pc.cpuVendor);
  clearDisplayAdapters(m);
  if (!pc.gpuName.empty()) addDisplayAdapter(m, L"0000", pc.gpuName);
  setMemoryMb(m, pc.ramMb);
  setSystemDrive(m, pc.ssd);
  setLaptop(m, pc.laptop);
}

PcParts rtx3070Desktop() {
  PcParts pc;
  pc.gpuName = L"NVIDIA GeForce RTX 3070";
  return pc;
}

}  // namespace vx::test
