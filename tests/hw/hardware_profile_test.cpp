// detectHardware, enumDisplayAdapters and readGpuDriverInfo on scenario machines of the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "hw/display_adapters.h"
#include "hw/gpu_driver_info.h"
#include "hw/hardware_profile.h"
#include "support/hardware_scenarios.h"

namespace vx {
namespace {

class HardwareProfileSim : public testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  sim::Machine& m = sim::machine();
};

TEST_F(HardwareProfileSim, DesktopWithOldIntelAndTuringReadsEveryField) {
  test::setWindowsProduct(m, L"Windows 10 Pro", L"22H2");
  test::PcParts pc;
  pc.cpuName = L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz";
  pc.gpuName = L"NVIDIA GeForce GTX 1660 SUPER";
  pc.ramMb = 16384;
  test::buildPc(m, pc);
  m.setLogicalProcessors(8);

  HardwareProfile expected;
  expected.windowsName = L"Windows 10 Pro 22H2";
  expected.cpuName = pc.cpuName;
  expected.gpuName = pc.gpuName;
  expected.logicalProcessors = 8;
  expected.totalRamMb = 16384;
  expected.availableRamMb = 4096;
  expected.memoryLoadPercent = 75;
  expected.isSsd = true;
  expected.isLaptop = false;
  expected.gpuModern = true;
  expected.intelGeneration = 4;
  expected.intelModelNumber = 4790;
  expected.oldIntelCpu = true;
  expected.nvidiaGpuFamily = L"Turing";
  EXPECT_EQ(detectHardware(), expected);
}

TEST_F(HardwareProfileSim, WindowsNameAppendsOnlyANonEmptyDisplayVersion) {
  test::setWindowsProduct(m, L"Windows 10 Pro");
  EXPECT_EQ(detectHardware().windowsName, L"Windows 10 Pro");
  test::setWindowsProduct(m, L"Windows 10 Pro", L"21H2");
  EXPECT_EQ(detectHardware().windowsName, L"Windows 10 Pro 21H2");
  m.setString(RegRoot::LocalMachine, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"DisplayVersion", L"");
  EXPECT_EQ(detectHardware().windowsName, L"Windows 10 Pro");
}

// Windows 11 still says "Windows 10" in ProductName; its build names it.
TEST_F(HardwareProfileSim, WindowsElevenIsNamedFromItsBuild) {
  struct Case {
    std::uint32_t build;
    const wchar_t* productName;
    const wchar_t* displayVersion;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {19045, L"Windows 10 Pro", L"22H2", L"Windows 10 Pro 22H2"},
      {21999, L"Windows 10 Home", L"", L"Windows 10 Home"},
      {22000, L"Windows 10 Pro", L"21H2", L"Windows 11 Pro 21H2"},
      {22631, L"Windows 10 Home Single Language", L"23H2", L"Windows 11 Home Single Language 23H2"},
      {22631, L"Windows 11 Pro", L"23H2", L"Windows 11 Pro 23H2"},
      {22631, L"Windows Server 2022 Standard", L"", L"Windows Server 2022 Standard"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.build);
    m.setWindowsVersion({10, 0, c.build});
    test::setWindowsProduct(m, c.productName, c.displayVersion);
    EXPECT_EQ(detectHardware().windowsName, c.expected);
  }
}

TEST_F(HardwareProfileSim, IntelPatternCountsOnlyOnIntelProcessors) {
  test::setProcessor(m, L"Engineering sample i7-4790", L"AuthenticAMD");
  HardwareProfile p = detectHardware();
  EXPECT_EQ(p.intelGeneration, 0u);
  EXPECT_EQ(p.intelModelNumber, 0u);
  EXPECT_FALSE(p.oldIntelCpu);
  EXPECT_FALSE(p.amdRyzenCpu);

  test::setProcessor(m, L"AMD Ryzen 7 5800X 8-Core Processor", L"AuthenticAMD");
  p = detectHardware();
  EXPECT_TRUE(p.amdRyzenCpu);
  EXPECT_EQ(p.cpuName, L"AMD Ryzen 7 5800X 8-Core Processor");

  test::setProcessor(m, L"12th Gen Intel(R) Core(TM) i5-12400F");
  p = detectHardware();
  EXPECT_EQ(p.intelGeneration, 12u);
  EXPECT_EQ(p.intelModelNumber, 12400u);
  EXPECT_FALSE(p.oldIntelCpu);
}

TEST_F(HardwareProfileSim, BasicDisplayAdapterIsTheGpuNameButNoAdapter) {
  test::clearDisplayAdapters(m);
  test::addDisplayAdapter(m, L"0000", L"Microsoft Basic Display Adapter");
  EXPECT_EQ(detectHardware().gpuName, L"Microsoft Basic Display Adapter");
  EXPECT_TRUE(enumDisplayAdapters().empty());
}

// Russian Windows translates the Basic Display adapter's name; its driver's provider and INF file
// are the same on every language and leave it out of the list and out of the GPU name.
TEST_F(HardwareProfileSim, WindowsOwnDisplayAdaptersAreLeftOutByTheirDriverSource) {
  struct Case {
    const wchar_t* driverDesc;
    const wchar_t* provider;  // empty: no ProviderName
    const wchar_t* inf;
    bool listed;
  };
  const Case cases[] = {
      {L"Базовый видеоадаптер (Майкрософт)", L"Microsoft", L"", false},
      {L"Базовый видеоадаптер (Майкрософт)", L"", L"display.inf", false},
      {L"Microsoft Hyper-V Video", L"Microsoft", L"wvmbusvideo.inf", false},
      {L"Удалённый видеоадаптер", L"microsoft", L"", false},
      {L"NVIDIA GeForce RTX 3070", L"NVIDIA", L"oem12.inf", true},
      {L"Intel(R) UHD Graphics 630", L"", L"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.driverDesc));
    test::clearDisplayAdapters(m);
    const std::wstring key = test::addDisplayAdapter(m, L"0000", c.driverDesc);
    if (*c.provider != L'\0') m.setString(RegRoot::LocalMachine, key, L"ProviderName", c.provider);
    if (*c.inf != L'\0') m.setString(RegRoot::LocalMachine, key, L"InfPath", c.inf);
    EXPECT_EQ(enumDisplayAdapters().size(), c.listed ? 1u : 0u);
  }

  // The inbox adapter enumerates first; the GPU next to it is the one named.
  test::clearDisplayAdapters(m);
  test::setDisplayDriverSource(m, test::addDisplayAdapter(m, L"0000", L"Базовый видеоадаптер (Майкрософт)"),
                               L"Microsoft");
  test::setDisplayDriverSource(m, test::addDisplayAdapter(m, L"0001", L"NVIDIA GeForce RTX 3070"), L"NVIDIA",
                               L"oem12.inf");
  EXPECT_EQ(detectHardware().gpuName, L"NVIDIA GeForce RTX 3070");
  // Alone it is still the name the header shows.
  m.deleteKey(RegRoot::LocalMachine, std::wstring(kDisplayClassKey) + L"\\0001");
  EXPECT_EQ(detectHardware().gpuName, L"Базовый видеоадаптер (Майкрософт)");
}

TEST_F(HardwareProfileSim, GpuNameIsTheFirstNonEmptyDescriptionUnderAnySubkey) {
  test::clearDisplayAdapters(m);
  const std::wstring classKey = kDisplayClassKey;
  m.setString(RegRoot::LocalMachine, classKey + L"\\0000", L"DriverDesc", L"");
  m.createKey(RegRoot::LocalMachine, classKey + L"\\0001");
  m.setString(RegRoot::LocalMachine, classKey + L"\\Properties", L"DriverDesc", L"Named Subkey GPU");
  EXPECT_EQ(detectHardware().gpuName, L"Named Subkey GPU");

  // The adapter list takes numbered subkeys with a DriverDesc, even an empty one.
  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_EQ(adapters[0].keyPath, classKey + L"\\0000");
  EXPECT_EQ(adapters[0].vendor, L"OTHER");

  test::clearDisplayAdapters(m);
  EXPECT_EQ(detectHardware().gpuName, L"");
  m.deleteKey(RegRoot::LocalMachine, kDisplayClassKey);
  EXPECT_EQ(detectHardware().gpuName, L"");
  EXPECT_TRUE(enumDisplayAdapters().empty());
}

TEST_F(HardwareProfileSim, AdapterListSkipsNamedBasicAndUndescribedSubkeys) {
  test::clearDisplayAdapters(m);
  const std::wstring nvidia =
      test::addDisplayAdapter(m, L"0000", L"NVIDIA GeForce RTX 3070", L"pci\\ven_10de&dev_2484", L"31.0.15.3623");
  test::addDisplayAdapter(m, L"0001", L"Microsoft Basic Display Adapter");
  m.createKey(RegRoot::LocalMachine, std::wstring(kDisplayClassKey) + L"\\0002");
  const std::wstring intel = test::addDisplayAdapter(m, L"0003", L"Intel(R) UHD Graphics 630", {}, L"31.0.101.4502");
  test::addDisplayAdapter(m, L"Configuration", L"AMD Radeon RX 580");
  m.setString(RegRoot::LocalMachine, std::wstring(kDisplayClassKey) + L"\\0004", L"MatchingDeviceId", L"pci\\x");

  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  ASSERT_EQ(adapters.size(), 2u);
  EXPECT_EQ(adapters[0].name, L"NVIDIA GeForce RTX 3070");
  EXPECT_EQ(adapters[0].keyPath, nvidia);
  EXPECT_EQ(adapters[0].matchingDeviceId, L"pci\\ven_10de&dev_2484");
  EXPECT_EQ(adapters[0].vendor, L"NVIDIA");
  EXPECT_EQ(adapters[1].name, L"Intel(R) UHD Graphics 630");
  EXPECT_EQ(adapters[1].keyPath, intel);
  EXPECT_EQ(adapters[1].matchingDeviceId, L"");
  EXPECT_EQ(adapters[1].vendor, L"INTEL");

  const std::vector<GpuDriverInfo> drivers = readGpuDriverInfo();
  ASSERT_EQ(drivers.size(), 2u);
  EXPECT_EQ(drivers[0].driverVersion, L"31.0.15.3623");
  EXPECT_EQ(drivers[0].displayVersion, L"536.23");
  EXPECT_EQ(drivers[1].displayVersion, L"31.0.101.4502");
  EXPECT_EQ(drivers[1].linkLabel, L"Открыть страницу загрузки Intel");
}

// The GPU name reads names of up to 255 characters, the adapter list up to 63; a longer name
// fails its index and ends that enumeration.
TEST_F(HardwareProfileSim, SubkeyNameBuffers) {
  test::clearDisplayAdapters(m);
  test::addDisplayAdapter(m, L"-" + std::wstring(99, L'x'), L"Long Named GPU");    // sorts first
  test::addDisplayAdapter(m, L"0000", L"NVIDIA GeForce RTX 3070");
  test::addDisplayAdapter(m, L"0000" + std::wstring(96, L'1'), L"AMD Radeon RX 580");
  test::addDisplayAdapter(m, L"0001", L"Intel(R) UHD Graphics 630");

  EXPECT_EQ(detectHardware().gpuName, L"Long Named GPU");
  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  EXPECT_TRUE(adapters.empty());  // stopped at the 100-character name at index 0
}

TEST_F(HardwareProfileSim, AdapterListStopsAtANameLongerThanItsBuffer) {
  test::clearDisplayAdapters(m);
  test::addDisplayAdapter(m, L"0000", L"NVIDIA GeForce RTX 3070");
  test::addDisplayAdapter(m, L"0000" + std::wstring(96, L'1'), L"AMD Radeon RX 580");
  test::addDisplayAdapter(m, L"0001", L"Intel(R) UHD Graphics 630");
  test::addDisplayAdapter(m, L"0000" + std::wstring(59, L'1'), L"AMD Radeon RX 570");  // 63 characters fit

  const std::vector<DisplayAdapter> adapters = enumDisplayAdapters();
  ASSERT_EQ(adapters.size(), 2u);
  EXPECT_EQ(adapters[0].name, L"NVIDIA GeForce RTX 3070");
  EXPECT_EQ(adapters[1].name, L"AMD Radeon RX 570");
}

TEST_F(HardwareProfileSim, MemoryFailureLeavesZeros) {
  m.setMemory(std::nullopt);
  const HardwareProfile p = detectHardware();
  EXPECT_EQ(p.totalRamMb, 0u);
  EXPECT_EQ(p.availableRamMb, 0u);
  EXPECT_EQ(p.memoryLoadPercent, 0u);

  MemoryStatus odd;
  odd.totalPhysBytes = (8ull << 30) + (1 << 20) - 1;  // not a whole number of MiB
  odd.availPhysBytes = (1ull << 20) - 1;
  odd.loadPercent = 42;
  m.setMemory(odd);
  const HardwareProfile q = detectHardware();
  EXPECT_EQ(q.totalRamMb, 8192u);
  EXPECT_EQ(q.availableRamMb, 0u);
  EXPECT_EQ(q.memoryLoadPercent, 42u);
}

TEST_F(HardwareProfileSim, SsdIsTheVolumeOfTheWindowsDirectory) {
  m.setSeekPenalty(L'C', true);
  m.setSeekPenalty(L'D', false);
  m.setWindowsDirectory(std::wstring(L"D:\\Windows"));
  EXPECT_TRUE(detectHardware().isSsd);
  m.setWindowsDirectory(std::wstring(L"C:\\Windows"));
  EXPECT_FALSE(detectHardware().isSsd);
  m.setSeekPenalty(L'C', std::nullopt);  // the volume cannot be queried
  EXPECT_FALSE(detectHardware().isSsd);
  m.setSeekPenalty(L'C', false);
  EXPECT_TRUE(detectHardware().isSsd);
  m.setWindowsDirectory(std::nullopt);
  EXPECT_FALSE(detectHardware().isSsd);
}

TEST_F(HardwareProfileSim, LaptopMeansABatteryFlagOtherThanNoneOrUnknown) {
  const std::pair<std::optional<std::uint8_t>, bool> cases[] = {
      {std::nullopt, false}, {128, false}, {255, false}, {0, true}, {1, true}, {2, true}, {4, true}, {8, true}, {9, true},
  };
  for (const auto& [flag, laptop] : cases) {
    m.setBatteryFlag(flag);
    EXPECT_EQ(detectHardware().isLaptop, laptop) << (flag ? int(*flag) : -1);
  }
}

TEST_F(HardwareProfileSim, RefreshReplacesTheCurrentProfile) {
  test::buildPc(m, test::rtx3070Desktop());
  refreshHardwareProfile();
  EXPECT_EQ(currentHardwareProfile(), detectHardware());
  EXPECT_EQ(currentHardwareProfile().nvidiaGpuFamily, L"Ampere");

  test::PcParts laptop;
  laptop.gpuName = L"AMD Radeon RX 580";
  laptop.laptop = true;
  test::buildPc(m, laptop);
  refreshHardwareProfile();
  EXPECT_TRUE(currentHardwareProfile().isLaptop);
  EXPECT_EQ(currentHardwareProfile().nvidiaGpuFamily, L"");
  EXPECT_EQ(currentHardwareProfile().amdGpuFamily, L"Polaris");

  HardwareProfile held;
  held.gpuName = L"stale";
  refreshHardwareProfile(held);
  EXPECT_EQ(held, currentHardwareProfile());
}

}  // namespace
}  // namespace vx
