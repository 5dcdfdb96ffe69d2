// The per-adapter tweaks against the real registry (Wine): a GPU with its PCI instance and a
// network card are written with the platform operations, the tweaks act on them, and everything
// written is removed again. Wine's own "Wine Adapter" (display subkey 0000) stays untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "hw/display_adapters.h"
#include "platform/registry.h"
#include "platform/scene.h"
#include "tweaks/interrupt_tweaks.h"
#include "tweaks/latency_tweaks.h"
#include "tweaks/msi_mode.h"
#include "tweaks/network_adapter_tweaks.h"
#include "hw/network_adapters.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::wstring kGpuKey = std::wstring(kDisplayClassKey) + L"\\0960";
const std::wstring kGpuDeviceKey = std::wstring(kPciEnumKey) + L"\\VEN_10DE&DEV_2484&SUBSYS_146710DE&REV_A1";
const std::wstring kGpuInstance = kGpuDeviceKey + L"\\4&2b7e4e2a&0&0008";
const std::wstring kNicGuid = L"{6A1F0B1E-7C1D-4F7A-9E0B-3B0F8C2D1A01}";
const std::wstring kNicKey = std::wstring(kNetworkClassKey) + L"\\0001";
const std::wstring kNicInterface = std::wstring(kTcpipInterfacesKey) + L"\\" + kNicGuid;

// An RTX 3070 below the display class key with its PCI device and one instance.
class GpuWine : public testing::Test {
 protected:
  void SetUp() override {
    removeGpu();
    ASSERT_TRUE(regWriteString(HKLM, kGpuKey, L"DriverDesc", L"NVIDIA GeForce RTX 3070"));
    ASSERT_TRUE(regWriteString(HKLM, kGpuKey, L"MatchingDeviceId", L"pci\\ven_10de&dev_2484"));
    ASSERT_TRUE(regWriteString(HKLM, kGpuInstance, L"Service", L"nvlddmkm"));
  }
  void TearDown() override { removeGpu(); }
  static void removeGpu() {
    scene::deleteKeyTree(HKLM, kGpuKey);
    scene::deleteKeyTree(HKLM, kGpuDeviceKey);
  }
};

TEST_F(GpuWine, MsiModeWritesTheGpuInstanceAndRevertsIt) {
  const std::wstring msiKey =
      kGpuInstance + L"\\Device Parameters\\Interrupt Management\\MessageSignaledInterruptProperties";
  const std::wstring affinityKey = kGpuInstance + L"\\Device Parameters\\Interrupt Management\\Affinity Policy";
  EXPECT_EQ(findPciInstancePath(L"pci\\ven_10de&dev_2484"), kGpuInstance);

  GpuMsiModeTweak tweak;
  const auto keys = tweak.backupKeys();
  EXPECT_NE(std::find(keys.begin(), keys.end(), BackupKey{HKLM, kGpuKey}), keys.end());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(regReadDword(HKLM, msiKey, L"MSISupported"), 1u);
  EXPECT_EQ(regReadDword(HKLM, affinityKey, L"DevicePriority"), 3u);
  // Wine's own adapter names no PCI device, so not every adapter could be switched.
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);

  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(regReadDword(HKLM, msiKey, L"MSISupported"), 0u);
  EXPECT_EQ(regReadDword(HKLM, affinityKey, L"DevicePriority"), 0u);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// With Wine's adapter given the id of its PCI device (VEN_0000&DEV_0000), every adapter can be
// switched and the tweak reads back as applied.
TEST_F(GpuWine, MsiModeReadsBackAppliedWhenEveryAdapterIsSwitched) {
  const std::wstring wineAdapterKey = std::wstring(kDisplayClassKey) + L"\\0000";
  const auto wineInstance = regFirstSubkey(HKLM, std::wstring(kPciEnumKey) + L"\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00");
  ASSERT_TRUE(wineInstance.has_value());
  ASSERT_FALSE(regReadString(HKLM, wineAdapterKey, L"MatchingDeviceId").has_value());
  const std::wstring interruptKey = std::wstring(kPciEnumKey) + L"\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00\\" +
                                    *wineInstance + L"\\Device Parameters\\Interrupt Management";
  ASSERT_FALSE(regKeyExists(HKLM, interruptKey));
  struct PutBack {
    std::wstring adapterKey, interruptKey;
    ~PutBack() {
      regDeleteValue(HKLM, adapterKey, L"MatchingDeviceId");
      scene::deleteKeyTree(HKLM, interruptKey);
    }
  } putBack{wineAdapterKey, interruptKey};
  ASSERT_TRUE(regWriteString(HKLM, wineAdapterKey, L"MatchingDeviceId", L"pci\\ven_0000&dev_0000"));

  GpuMsiModeTweak tweak;
  EXPECT_TRUE(tweak.apply());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(GpuWine, NvidiaPStateAndReBarReadTheDriverKey) {
  NvidiaPStateTweak pstate;
  EXPECT_EQ(pstate.compatibilityNote(), L"");
  EXPECT_EQ(pstate.backupKeys(), (std::vector<BackupKey>{{HKLM, kGpuKey}}));
  EXPECT_EQ(pstate.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(pstate.apply());
  EXPECT_EQ(regReadDword(HKLM, kGpuKey, L"PerfLevelSrc"), 0x3322u);
  EXPECT_EQ(pstate.queryState(), TweakState::Applied);
  EXPECT_TRUE(pstate.revert());
  EXPECT_FALSE(regReadDword(HKLM, kGpuKey, L"PowerMizerEnable").has_value());
  EXPECT_EQ(pstate.queryState(), TweakState::NotApplied);

  ReBarStatusTweak rebar;
  EXPECT_EQ(rebar.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(regWriteDword(HKLM, kGpuKey, L"ReBarSupport", 1));
  EXPECT_EQ(rebar.queryState(), TweakState::Applied);
  EXPECT_FALSE(rebar.apply());
}

TEST(GpuWineWithoutNvidia, NvidiaPStateIsNotAppliedWithANote) {
  NvidiaPStateTweak pstate;  // only Wine's own adapter
  EXPECT_EQ(pstate.compatibilityNote(), L"NVIDIA GPU не обнаружен.");
  EXPECT_EQ(pstate.queryState(), TweakState::NotApplied);
  EXPECT_FALSE(pstate.apply());
}

// An Intel network card in the network class key, which Wine does not have: the test creates the
// class key and removes all of it again.
class NicWine : public testing::Test {
 protected:
  void SetUp() override {
    classKeyExisted_ = regKeyExists(HKLM, kNetworkClassKey);
    ASSERT_TRUE(regWriteString(HKLM, kNicKey, L"DriverDesc", L"Intel(R) Ethernet Controller I225-V"));
    ASSERT_TRUE(regWriteString(HKLM, kNicKey, L"NetCfgInstanceId", kNicGuid));
  }
  void TearDown() override {
    scene::deleteKeyTree(HKLM, classKeyExisted_ ? kNicKey : std::wstring(kNetworkClassKey));
    scene::deleteKeyTree(HKLM, kNicInterface);
  }
  static std::optional<std::wstring> keyword(const wchar_t* name) { return regReadString(HKLM, kNicKey, name); }
  bool classKeyExisted_ = false;
};

TEST_F(NicWine, TheCardIsListed) {
  const auto adapters = enumNetworkAdapters();
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_EQ(adapters[0].instanceId, kNicGuid);
  EXPECT_EQ(adapters[0].keyPath, kNicKey);
  EXPECT_EQ(adapters[0].tcpipInterfacePath, kNicInterface);
  EXPECT_TRUE(adapters[0].isIntel);
}

TEST_F(NicWine, TcpLatencyWritesTheInterfaceAndRevertDeletes) {
  VipTcpLatencyTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(regReadDword(HKLM, kNicInterface, L"TcpAckFrequency"), 1u);
  EXPECT_EQ(regReadDword(HKLM, kNicInterface, L"TcpDelAckTicks"), 0u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_FALSE(regReadDword(HKLM, kNicInterface, L"TCPNoDelay").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(NicWine, InterruptModerationAndEeeKeywordsAreText) {
  VipInterruptModerationTweak moderation;
  EXPECT_EQ(moderation.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(moderation.apply());
  EXPECT_EQ(keyword(L"*InterruptModeration"), L"0");
  EXPECT_EQ(keyword(L"*RSS"), L"1");
  EXPECT_EQ(moderation.queryState(), TweakState::Applied);
  EXPECT_TRUE(moderation.revert());
  EXPECT_EQ(keyword(L"*InterruptModeration"), L"1");
  EXPECT_FALSE(keyword(L"ITR").has_value());
  EXPECT_EQ(moderation.queryState(), TweakState::NotApplied);

  VipDisableEEETweak eee;
  EXPECT_EQ(eee.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(eee.apply());
  EXPECT_EQ(keyword(L"*EEE"), L"0");
  EXPECT_EQ(regReadDword(HKLM, kNicKey, L"PnPCapabilities"), 24u);
  EXPECT_EQ(eee.queryState(), TweakState::Applied);
  EXPECT_TRUE(eee.revert());
  EXPECT_EQ(keyword(L"*EEE"), L"1");
  EXPECT_EQ(keyword(L"EnablePME"), L"0");
  EXPECT_FALSE(regReadDword(HKLM, kNicKey, L"PnPCapabilities").has_value());
  EXPECT_EQ(eee.queryState(), TweakState::NotApplied);
}

}  // namespace
}  // namespace vx
