// The hardware profile and the display adapter list against the real (Wine) registry and system
// calls. Test adapters are written below the display class key and removed again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hw/cpu_info.h"
#include "hw/display_adapters.h"
#include "hw/gpu_driver_info.h"
#include "hw/gpu_family.h"
#include "hw/hardware_profile.h"
#include "platform/registry.h"
#include "platform/scene.h"

namespace vx {
namespace {

const std::wstring kClassKey = kDisplayClassKey;
// Subkeys this test owns; Wine's own adapter is 0000.
const std::wstring kTestSubkeys[] = {L"0950", L"0951", L"0952", L"VantorixTestAdapter"};

class HardwareWine : public testing::Test {
 protected:
  void SetUp() override { removeTestAdapters(); }
  void TearDown() override { removeTestAdapters(); }
  static void removeTestAdapters() {
    for (const std::wstring& subkey : kTestSubkeys) scene::deleteKeyTree(RegRoot::LocalMachine, kClassKey + L"\\" + subkey);
  }
  static void writeAdapter(const std::wstring& subkey, const std::wstring& desc, const std::wstring& deviceId,
                           const std::wstring& version) {
    const std::wstring key = kClassKey + L"\\" + subkey;
    ASSERT_TRUE(regWriteString(RegRoot::LocalMachine, key, L"DriverDesc", desc));
    if (!deviceId.empty()) {
      ASSERT_TRUE(regWriteString(RegRoot::LocalMachine, key, L"MatchingDeviceId", deviceId));
    }
    if (!version.empty()) {
      ASSERT_TRUE(regWriteString(RegRoot::LocalMachine, key, L"DriverVersion", version));
    }
  }
};

TEST_F(HardwareWine, ProfileAgreesWithWhatWineRegistered) {
  const HardwareProfile p = detectHardware();
  const auto product = regReadString(RegRoot::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"ProductName");
  ASSERT_TRUE(product.has_value());
  EXPECT_EQ(p.windowsName.rfind(*product, 0), 0u);

  const std::wstring cpuKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  EXPECT_EQ(p.cpuName, regReadString(RegRoot::LocalMachine, cpuKey, L"ProcessorNameString").value_or(L"?"));
  const CpuInfo cpu = readCpuInfo();
  // Wine registers the CPUID vendor text itself, so our CPUID read must agree with it.
  EXPECT_EQ(cpu.vendor, regReadString(RegRoot::LocalMachine, cpuKey, L"VendorIdentifier").value_or(L"?"));
  EXPECT_EQ(p.amdRyzenCpu, cpu.amdRyzen);
  if (cpu.vendor != kIntelVendor) {
    EXPECT_EQ(p.intelGeneration, 0u);
  }

  EXPECT_EQ(p.gpuName, L"Wine Adapter");
  EXPECT_FALSE(p.gpuModern);
  EXPECT_GE(p.logicalProcessors, 1u);
  EXPECT_GT(p.totalRamMb, 0u);
  EXPECT_LE(p.availableRamMb, p.totalRamMb);
  EXPECT_LE(p.memoryLoadPercent, 100u);
}

TEST_F(HardwareWine, AdaptersWrittenBelowTheClassKeyAreListedWithTheirDrivers) {
  writeAdapter(L"0950", L"NVIDIA GeForce RTX 3070", L"pci\\ven_10de&dev_2484", L"31.0.15.3623");
  writeAdapter(L"0951", L"Microsoft Basic Display Adapter", L"", L"10.0.19041.1");
  writeAdapter(L"0952", L"Intel(R) UHD Graphics 630", L"", L"31.0.101.4502");
  writeAdapter(L"VantorixTestAdapter", L"AMD Radeon RX 580", L"", L"");

  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  ASSERT_EQ(adapters.size(), 3u);
  EXPECT_EQ(adapters[0].name, L"Wine Adapter");
  EXPECT_EQ(adapters[0].keyPath, kClassKey + L"\\0000");
  EXPECT_EQ(adapters[0].vendor, L"OTHER");
  EXPECT_EQ(adapters[1].name, L"NVIDIA GeForce RTX 3070");
  EXPECT_EQ(adapters[1].keyPath, kClassKey + L"\\0950");
  EXPECT_EQ(adapters[1].matchingDeviceId, L"pci\\ven_10de&dev_2484");
  EXPECT_EQ(adapters[1].vendor, L"NVIDIA");
  EXPECT_EQ(adapters[2].name, L"Intel(R) UHD Graphics 630");
  EXPECT_EQ(adapters[2].vendor, L"INTEL");

  const std::vector<GpuDriverInfo> drivers = readGpuDriverInfo();
  ASSERT_EQ(drivers.size(), 3u);
  EXPECT_EQ(drivers[0].downloadPage, L"");
  EXPECT_EQ(drivers[1].driverVersion, L"31.0.15.3623");
  EXPECT_EQ(drivers[1].displayVersion, L"536.23");
  EXPECT_EQ(drivers[1].linkLabel, L"Открыть страницу загрузки NVIDIA");
  EXPECT_EQ(drivers[2].displayVersion, L"31.0.101.4502");

  // The profile's GPU is still the first described subkey, Wine's own adapter.
  EXPECT_EQ(detectHardware().gpuName, L"Wine Adapter");

  removeTestAdapters();
  EXPECT_EQ(enumDisplayAdapters().size(), 1u);
}

// The parsers fold case and scan digits without the C library's locale, so MinGW must agree with
// the native build on a few names.
TEST(HardwareNamesWine, ParsersAgreeWithTheNativeBuild) {
  const CpuInfo intel = parseCpuInfo(L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz", kIntelVendor);
  EXPECT_EQ(intel.generation, 4u);
  EXPECT_EQ(intel.modelNumber, 4790u);
  EXPECT_TRUE(parseCpuInfo(L"AMD RYZEN 9 7950X", kAmdVendor).amdRyzen);
  EXPECT_EQ(amdGpuFamily(L"AMD RADEON RX 580"), L"Polaris");
  EXPECT_EQ(amdGpuFamily(L"AMD Radeon RX 5700 XT"), L"RDNA");
  EXPECT_EQ(nvidiaGpuFamily(L"NVIDIA GEFORCE GTX 1660 SUPER"), L"Turing");
  EXPECT_TRUE(isModernGpu(L"INTEL ARC A770"));
}

}  // namespace
}  // namespace vx
