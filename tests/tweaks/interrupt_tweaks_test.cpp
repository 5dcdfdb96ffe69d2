// Device interrupt and PCIe tweaks on the simulated machine: finding a GPU's PCI instance, MSI
// mode per adapter, the powercfg-driven ASPM tweak and its marker, the mitigation overrides.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/sim/machine.h"
#include "support/hardware_scenarios.h"
#include "support/network_scenarios.h"
#include "tweaks/interrupt_tweaks.h"
#include "tweaks/msi_mode.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::wstring kMsiKey = L"\\Device Parameters\\Interrupt Management\\MessageSignaledInterruptProperties";
const std::wstring kAffinityKey = L"\\Device Parameters\\Interrupt Management\\Affinity Policy";
const std::wstring kMarkerKey = L"SOFTWARE\\Vantorix";
const std::wstring kMemoryManagement = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

class InterruptTweaksTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  sim::Machine& m = sim::machine();
};

// --- PCI instance lookup and MSI mode ---

TEST_F(InterruptTweaksTest, FindsThePciInstanceFromTheMatchingDeviceId) {
  // A device listed before the GPU that does not match, and another vendor's card after it.
  test::addPciDevice(m, L"VEN_8086&DEV_A2AF&SUBSYS_86941043&REV_00", L"3&11583659&0&A0");
  const auto gpu = test::addRtx3070(m);
  test::addRx6800(m, L"0001");

  struct Case {
    std::wstring id;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"pci\\ven_10de&dev_2484", gpu.instancePath},
      {L"PCI\\VEN_10DE&DEV_2484&SUBSYS_146710DE", gpu.instancePath},  // case folded, longer id
      {L"ven_10de&dev_2484", gpu.instancePath},                       // no enumerator segment
      {L"pci\\ven_10de&dev_9999", L""},
      {L"", L""},
      {L"pci\\", L""},  // only an enumerator: must not pick the first PCI device
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findPciInstancePath(c.id), c.expected) << std::string(c.id.begin(), c.id.end());
  }
}

TEST_F(InterruptTweaksTest, MsiModeWritesUnderTheFirstInstanceAndRevertsToZero) {
  const auto gpu = test::addRtx3070(m);
  GpuMsiModeTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, gpu.classKey}}));

  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kMsiKey, L"MSISupported"), 1u);
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kAffinityKey, L"DevicePriority"), 3u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kMsiKey, L"MSISupported"), 0u);
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kAffinityKey, L"DevicePriority"), 0u);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(InterruptTweaksTest, MsiModeWithOnlyTheBasicDisplayAdapterIsUnavailable) {
  test::addDisplayAdapter(m, L"0000", L"Microsoft Basic Display Adapter", L"pci\\ven_1234&dev_1111");
  GpuMsiModeTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::Unavailable);
  EXPECT_TRUE(tweak.backupKeys().empty());
  EXPECT_FALSE(tweak.apply());
}

// On Russian Windows only the driver's provider tells the Basic Display adapter apart.
TEST_F(InterruptTweaksTest, MsiModeWithOnlyTheRussianBasicDisplayAdapterIsUnavailable) {
  test::setDisplayDriverSource(
      m, test::addDisplayAdapter(m, L"0000", L"Базовый видеоадаптер (Майкрософт)", L"pci\\ven_1234&dev_1111"),
      L"Microsoft");
  test::addPciDevice(m, L"VEN_1234&DEV_1111&SUBSYS_11001AF4&REV_02", L"3&267a616a&0&10");
  GpuMsiModeTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::Unavailable);
  EXPECT_TRUE(tweak.backupKeys().empty());
  EXPECT_FALSE(tweak.apply());
  EXPECT_EQ(m.registryWrites(), 0u);
}

TEST_F(InterruptTweaksTest, DeviceWithoutInstanceKeyIsSkippedAndStaysNotApplied) {
  test::addRtx3070(m, L"0000", /*withInstance=*/false);
  EXPECT_FALSE(setMsiState(L"pci\\ven_10de&dev_2484", true, 3));
  GpuMsiModeTweak tweak;
  EXPECT_FALSE(tweak.apply());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  EXPECT_EQ(m.registryWrites(), 0u);
}

TEST_F(InterruptTweaksTest, PriorityTwoIsNotAppliedAndApplyRaisesItToThree) {
  const auto gpu = test::addRtx3070(m);
  m.setDword(HKLM, gpu.instancePath + kMsiKey, L"MSISupported", 1);
  m.setDword(HKLM, gpu.instancePath + kAffinityKey, L"DevicePriority", 2);
  const MsiState before = readMsiState(L"pci\\ven_10de&dev_2484");
  EXPECT_TRUE(before.msiValuePresent && before.msiEnabled);
  EXPECT_EQ(before.devicePriority, 2u);

  GpuMsiModeTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kAffinityKey, L"DevicePriority"), 3u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
}

TEST_F(InterruptTweaksTest, PartialApplyReportsSuccessButStateNeedsEveryAdapter) {
  test::addRtx3070(m, L"0000");
  test::addDisplayAdapter(m, L"0001", L"Intel(R) UHD Graphics 630", L"pci\\ven_8086&dev_3e92");  // no PCI key
  GpuMsiModeTweak tweak;
  EXPECT_TRUE(tweak.apply());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  EXPECT_EQ(tweak.backupKeys().size(), 2u);
}

TEST_F(InterruptTweaksTest, SetMsiStateCapsThePriorityAtHigh) {
  const auto gpu = test::addRtx3070(m);
  ASSERT_TRUE(setMsiState(L"pci\\ven_10de&dev_2484", true, 7));
  EXPECT_EQ(m.dword(HKLM, gpu.instancePath + kAffinityKey, L"DevicePriority"), 3u);
}

// --- PCIe ASPM through powercfg ---

class PciAspmTest : public InterruptTweaksTest {
 protected:
  std::wstring powercfg() const { return systemToolPath(L"powercfg.exe"); }
  std::vector<std::wstring> expectedLines(const wchar_t* level) const {
    const std::wstring tool = L"\"" + powercfg() + L"\"";
    return {tool + L" /SETACVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM " + level,
            tool + L" /SETDCVALUEINDEX SCHEME_CURRENT SUB_PCIEXPRESS ASPM " + level, tool + L" /SETACTIVE SCHEME_CURRENT"};
  }
  bool markerPresent() const { return m.value(HKLM, kMarkerKey, L"PciAspmDisabled").has_value(); }
  DisablePciAspmTweak tweak;
};

TEST_F(PciAspmTest, AppliedWhenAllThreeCommandsSucceedAndRevertRunsTheDefaults) {
  m.addProgram(powercfg(), 0, 300);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(sim::machine().startedCommandLines(), expectedLines(L"0"));
  for (const auto& p : m.startedPrograms()) EXPECT_EQ(p.timeoutMs, 8000u);
  EXPECT_EQ(m.dword(HKLM, kMarkerKey, L"PciAspmDisabled"), 1u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  EXPECT_TRUE(tweak.revert());
  const auto lines = sim::machine().startedCommandLines();
  EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 3, lines.end()), expectedLines(L"2"));
  EXPECT_FALSE(markerPresent());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// A failed apply must not leave the marker that would show the tweak as applied.
TEST_F(PciAspmTest, FailingPowercfgLeavesNoMarker) {
  struct Case {
    const char* name;
    void (*setUp)(sim::Machine&, const std::wstring& powercfg);
  };
  const Case cases[] = {
      {"missing", [](sim::Machine&, const std::wstring&) {}},
      {"exits 1", [](sim::Machine& m, const std::wstring& p) { m.addProgram(p, 1); }},
      {"DC step fails",
       [](sim::Machine& m, const std::wstring& p) {
         m.addProgram(p, [](const std::wstring& line) {
           return sim::ProgramRun{line.find(L"SETDCVALUEINDEX") != std::wstring::npos ? 1u : 0u, 10, {}};
         });
       }},
      {"hangs past 8 s", [](sim::Machine& m, const std::wstring& p) { m.addProgram(p, 0, 8001); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.reset();
    c.setUp(m, powercfg());
    EXPECT_FALSE(tweak.apply());
    EXPECT_EQ(sim::machine().startedCommandLines(), expectedLines(L"0"));  // every step is still tried, in order
    EXPECT_FALSE(markerPresent());
    EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  }
}

TEST_F(PciAspmTest, MarkerRemovedByHandShowsNotApplied) {
  m.addProgram(powercfg(), 0);
  ASSERT_TRUE(tweak.apply());
  m.deleteKey(HKLM, kMarkerKey);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(PciAspmTest, UnreadableSystemDirectoryRunsNothing) {
  m.addProgram(powercfg(), 0);
  m.setSystemDirectory(std::nullopt);
  EXPECT_FALSE(tweak.apply());
  EXPECT_FALSE(tweak.revert());
  EXPECT_TRUE(m.startedPrograms().empty());
}

// --- speculation mitigations ---

TEST_F(InterruptTweaksTest, MitigationsNeedBothOverridesAtThree) {
  struct Case {
    std::optional<std::uint32_t> override_, mask;
    TweakState expected;
  };
  const Case cases[] = {
      {3, 3, TweakState::Applied},
      {3, std::nullopt, TweakState::NotApplied},
      {3, 2, TweakState::NotApplied},
      {std::nullopt, 3, TweakState::NotApplied},
  };
  DisableSpeculationMitigationsTweak tweak;
  for (const Case& c : cases) {
    m.reset();
    if (c.override_) m.setDword(HKLM, kMemoryManagement, L"FeatureSettingsOverride", *c.override_);
    if (c.mask) m.setDword(HKLM, kMemoryManagement, L"FeatureSettingsOverrideMask", *c.mask);
    EXPECT_EQ(tweak.queryState(), c.expected);
  }
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, kMemoryManagement, L"FeatureSettingsOverride"), 3u);
  EXPECT_EQ(m.dword(HKLM, kMemoryManagement, L"FeatureSettingsOverrideMask"), 3u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_FALSE(m.value(HKLM, kMemoryManagement, L"FeatureSettingsOverride"));
  EXPECT_FALSE(m.value(HKLM, kMemoryManagement, L"FeatureSettingsOverrideMask"));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

}  // namespace
}  // namespace vx
