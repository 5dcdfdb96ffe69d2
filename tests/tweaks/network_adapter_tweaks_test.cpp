// Network adapter enumeration and the three per-adapter tweaks on the simulated machine.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "core/job_results.h"
#include "platform/sim/machine.h"
#include "support/network_scenarios.h"
#include "support/system_tools_sim.h"
#include "tweaks/network_adapter_tweaks.h"
#include "hw/network_adapters.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::wstring kWifiGuid = L"{6A1F0B1E-7C1D-4F7A-9E0B-3B0F8C2D1A01}";
const std::wstring kRealtekGuid = L"{0B5C7E2A-1D3F-4E6B-8A9C-2F1E0D3C4B02}";
const std::wstring kBroadcomGuid = L"{9E8D7C6B-5A49-4382-A1B0-C9D8E7F6A503}";

class NetworkAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  std::optional<std::wstring> text(const std::wstring& key, const std::wstring& name) const {
    const auto v = m.value(HKLM, key, name);
    if (!v || v->type != sim::RegType::Sz) return std::nullopt;  // keywords must stay REG_SZ
    return m.string(HKLM, key, name);
  }
  sim::Machine& m = sim::machine();
};

std::vector<std::wstring> descriptions(const std::vector<NetworkAdapter>& adapters) {
  std::vector<std::wstring> out;
  for (const auto& a : adapters) out.push_back(a.description);
  return out;
}

// A laptop with an Intel Wi-Fi card, Hyper-V switches and the usual software adapters.
TEST_F(NetworkAdapterTest, EnumerationKeepsOnlyNumberedPhysicalAdaptersWithBothValues) {
  const auto wifi = test::addNetworkAdapter(m, L"0001", L"Intel(R) Wi-Fi 6 AX201 160MHz", kWifiGuid);
  test::addNetworkAdapter(m, L"0002", L"Hyper-V Virtual Switch Extension Adapter", L"{11111111-0000-0000-0000-000000000002}");
  test::addNetworkAdapter(m, L"0003", L"Hyper-V Virtual Ethernet Adapter", L"{11111111-0000-0000-0000-000000000003}");
  test::addNetworkAdapter(m, L"0004", L"WAN Miniport (IKEv2)", L"{11111111-0000-0000-0000-000000000004}");
  test::addNetworkAdapter(m, L"0005", L"Microsoft ISATAP Adapter", L"{11111111-0000-0000-0000-000000000005}");
  test::addNetworkAdapter(m, L"0006", L"Teredo Tunneling Pseudo-Interface", L"{11111111-0000-0000-0000-000000000006}");
  test::addNetworkAdapter(m, L"0007a", L"Realtek PCIe GbE Family Controller (stale)", kRealtekGuid);
  test::addNetworkAdapter(m, L"0007", L"Realtek PCIe GbE Family Controller", kRealtekGuid);
  test::addNetworkAdapter(m, L"0008", L"Broadcom NetXtreme Gigabit Ethernet");  // no NetCfgInstanceId
  test::addNetworkAdapter(m, L"0009", L"Microsoft KM-TEST LOOPBACK Adapter", L"{11111111-0000-0000-0000-000000000009}");

  const auto adapters = enumNetworkAdapters();
  EXPECT_EQ(descriptions(adapters),
            (std::vector<std::wstring>{L"Intel(R) Wi-Fi 6 AX201 160MHz", L"Realtek PCIe GbE Family Controller"}));
  ASSERT_EQ(adapters.size(), 2u);
  EXPECT_EQ(adapters[0].instanceId, kWifiGuid);
  EXPECT_EQ(adapters[0].keyPath, wifi);
  EXPECT_EQ(adapters[0].tcpipInterfacePath, test::tcpipInterfaceKey(kWifiGuid));
  EXPECT_TRUE(adapters[0].isIntel);
  EXPECT_FALSE(adapters[0].isRealtek);
  EXPECT_TRUE(adapters[1].isRealtek);
  EXPECT_FALSE(adapters[1].isIntel);
}

// Names are translated, Characteristics is not: with the value, only a physical adapter that is
// neither virtual nor hidden is listed; without it the name rule decides alone.
TEST_F(NetworkAdapterTest, CharacteristicsDecideNextToTheNameRule) {
  using test::kNcfHasUi, test::kNcfHidden, test::kNcfPhysical, test::kNcfVirtual;
  struct Case {
    const wchar_t* driverDesc;
    std::optional<std::uint32_t> characteristics;
    bool listed;
  };
  const Case cases[] = {
      {L"Минипорт WAN (PPTP)", kNcfVirtual | kNcfHidden | 0x20, false},
      {L"Microsoft Kernel Debug Network Adapter", kNcfVirtual, false},
      {L"Realtek PCIe GbE Family Controller", kNcfPhysical | kNcfHasUi, true},
      {L"Realtek PCIe GbE Family Controller", kNcfPhysical | kNcfVirtual, false},
      {L"Realtek PCIe GbE Family Controller", kNcfPhysical | kNcfHidden, false},
      {L"Realtek PCIe GbE Family Controller", std::nullopt, true},
      {L"Hyper-V Virtual Ethernet Adapter", kNcfPhysical, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.driverDesc));
    m.reset();
    test::addNetworkAdapter(m, L"0001", c.driverDesc, kRealtekGuid, c.characteristics);
    EXPECT_EQ(enumNetworkAdapters().size(), c.listed ? 1u : 0u);
  }
}

// A Russian Windows with its software adapters next to one physical card: only the card's keys
// are written by all three tweaks.
TEST_F(NetworkAdapterTest, RussianSoftwareAdaptersAreNeverTouched) {
  const auto wan = test::addNetworkAdapter(m, L"0000", L"Минипорт WAN (PPTP)", L"{11111111-0000-0000-0000-000000000001}",
                                           test::kNcfVirtual | test::kNcfHidden);
  const auto debug = test::addNetworkAdapter(m, L"0001", L"Microsoft Kernel Debug Network Adapter",
                                             L"{11111111-0000-0000-0000-000000000002}", test::kNcfVirtual);
  const auto card = test::addNetworkAdapter(m, L"0002", L"Realtek PCIe GbE Family Controller", kRealtekGuid,
                                            test::kNcfPhysical | test::kNcfHasUi);
  VipTcpLatencyTweak tcp;
  VipInterruptModerationTweak moderation;
  VipDisableEEETweak eee;
  for (Tweak* t : std::initializer_list<Tweak*>{&tcp, &moderation, &eee}) ASSERT_TRUE(t->apply()) << toUtf8(t->id);

  EXPECT_EQ(text(card, L"*EEE"), L"0");
  EXPECT_EQ(text(card, L"EnableDynamicIm"), L"0");
  EXPECT_EQ(m.dword(HKLM, test::tcpipInterfaceKey(kRealtekGuid), L"TcpAckFrequency"), 1u);
  for (const std::wstring& key : {wan, debug}) {
    EXPECT_FALSE(m.value(HKLM, key, L"*EEE").has_value());
    EXPECT_FALSE(m.value(HKLM, key, L"PnPCapabilities").has_value());
  }
  EXPECT_FALSE(m.keyExists(HKLM, test::tcpipInterfaceKey(L"{11111111-0000-0000-0000-000000000001}")));
  EXPECT_FALSE(m.keyExists(HKLM, test::tcpipInterfaceKey(L"{11111111-0000-0000-0000-000000000002}")));
  EXPECT_EQ(eee.backupKeys(), (std::vector<BackupKey>{{HKLM, card}}));
}

// Drivers read their keywords, and TCP/IP an interface's values, when the adapter starts: the
// three tweaks ask for a restart, so the batch jobs offer one.
TEST_F(NetworkAdapterTest, AdapterTweaksMakeTheBatchJobsOfferARestart) {
  test::installSystemTools(m);
  test::addNetworkAdapter(m, L"0001", L"Realtek PCIe GbE Family Controller", kRealtekGuid,
                          test::kNcfPhysical | test::kNcfHasUi);
  const TweakPtr tcp = std::make_shared<VipTcpLatencyTweak>();
  for (const TweakPtr& t : {tcp, TweakPtr(std::make_shared<VipInterruptModerationTweak>()),
                            TweakPtr(std::make_shared<VipDisableEEETweak>())})
    EXPECT_TRUE(t->needsReboot()) << toUtf8(t->id);
  EXPECT_TRUE(runSelectedJob({tcp}).needsReboot);
  EXPECT_TRUE(runRecommendationJob({tcp}).needsReboot);
  EXPECT_TRUE(runProfileJob({tcp}, L"Оптимальный").needsReboot);
}

// --- TCP acknowledgement and Nagle per adapter ---

TEST_F(NetworkAdapterTest, TcpLatencyActsOnEveryAdapterInterface) {
  test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Connection (7) I219-V", kWifiGuid);
  test::addNetworkAdapter(m, L"0002", L"Broadcom NetXtreme Gigabit Ethernet", kBroadcomGuid);
  const std::wstring first = test::tcpipInterfaceKey(kWifiGuid), second = test::tcpipInterfaceKey(kBroadcomGuid);
  VipTcpLatencyTweak tweak;
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, first}, {HKLM, second}}));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);

  ASSERT_TRUE(tweak.apply());
  for (const auto& key : {first, second}) {
    EXPECT_EQ(m.dword(HKLM, key, L"TcpAckFrequency"), 1u);
    EXPECT_EQ(m.dword(HKLM, key, L"TCPNoDelay"), 1u);
    EXPECT_EQ(m.dword(HKLM, key, L"TcpDelAckTicks"), 0u);
  }
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  m.setDword(HKLM, second, L"TCPNoDelay", 0);  // one adapter changed by someone else
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);

  EXPECT_TRUE(tweak.revert());
  for (const auto& key : {first, second})
    for (const wchar_t* name : {L"TcpAckFrequency", L"TCPNoDelay", L"TcpDelAckTicks"})
      EXPECT_FALSE(m.value(HKLM, key, name).has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(NetworkAdapterTest, WithoutAdaptersTheTweaksAreUnavailable) {
  test::addNetworkAdapter(m, L"0000", L"WAN Miniport (SSTP)", L"{11111111-0000-0000-0000-000000000000}");
  VipTcpLatencyTweak tcp;
  VipInterruptModerationTweak moderation;
  VipDisableEEETweak eee;
  EXPECT_EQ(tcp.queryState(), TweakState::Unavailable);
  EXPECT_EQ(moderation.queryState(), TweakState::Unavailable);
  EXPECT_EQ(eee.queryState(), TweakState::Unavailable);
  EXPECT_TRUE(tcp.apply());  // nothing to do is not a failure here
  EXPECT_FALSE(moderation.apply());
  EXPECT_FALSE(eee.apply());
  EXPECT_EQ(m.registryWrites(), 0u);
}

// --- interrupt moderation ---

TEST_F(NetworkAdapterTest, WifiCardNextToHyperVSwitchesIsModeratedAsIntel) {
  const auto wifi = test::addNetworkAdapter(m, L"0001", L"Intel(R) Wi-Fi 6 AX201 160MHz", kWifiGuid);
  test::addNetworkAdapter(m, L"0002", L"Hyper-V Virtual Ethernet Adapter", kBroadcomGuid);
  VipInterruptModerationTweak tweak;
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, wifi}}));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);

  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(text(wifi, L"*InterruptModeration"), L"0");
  EXPECT_EQ(text(wifi, L"ITR"), L"0");
  EXPECT_EQ(text(wifi, L"*RSS"), L"1");
  EXPECT_FALSE(m.value(HKLM, wifi, L"EnableDynamicIm").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(text(wifi, L"*InterruptModeration"), L"1");
  EXPECT_FALSE(m.value(HKLM, wifi, L"ITR").has_value());
  EXPECT_EQ(text(wifi, L"*RSS"), L"1");  // receive-side scaling is left on
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(NetworkAdapterTest, RealtekKeywordsAreWrittenAndRestored) {
  const auto realtek = test::addNetworkAdapter(m, L"0001", L"Realtek PCIe GbE Family Controller", kRealtekGuid);
  VipInterruptModerationTweak tweak;
  ASSERT_TRUE(tweak.apply());
  for (const wchar_t* name : {L"EnableDynamicIm", L"ITR", L"InterruptModeration"}) EXPECT_EQ(text(realtek, name), L"0");
  EXPECT_FALSE(m.value(HKLM, realtek, L"*InterruptModeration").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(text(realtek, L"EnableDynamicIm"), L"1");
  EXPECT_EQ(text(realtek, L"InterruptModeration"), L"1");
  EXPECT_FALSE(m.value(HKLM, realtek, L"ITR").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(NetworkAdapterTest, ModerationIgnoresOtherVendorsEntirely) {
  const auto intel = test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Controller I225-V", kWifiGuid);
  const auto broadcom = test::addNetworkAdapter(m, L"0002", L"Broadcom NetXtreme Gigabit Ethernet", kBroadcomGuid);
  m.setString(HKLM, broadcom, L"*InterruptModeration", L"0");  // not an Intel or Realtek card: not looked at
  VipInterruptModerationTweak tweak;
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, intel}}));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_FALSE(m.value(HKLM, broadcom, L"ITR").has_value());

  m.reset();
  test::addNetworkAdapter(m, L"0002", L"Broadcom NetXtreme Gigabit Ethernet", kBroadcomGuid);
  EXPECT_EQ(tweak.queryState(), TweakState::Unavailable);
  EXPECT_FALSE(tweak.apply());
}

// --- Energy Efficient Ethernet ---

TEST_F(NetworkAdapterTest, EeeApplyAndRevertLeaveThePowerSavingKeywordsOff) {
  const auto nic = test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Connection (7) I219-V", kWifiGuid);
  VipDisableEEETweak tweak;
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, nic}}));
  ASSERT_TRUE(tweak.apply());
  for (const wchar_t* name : {L"*EEE", L"EEELinkAdvertisement", L"AdvancedEEE", L"EnableGreenEthernet", L"EnablePME",
                              L"EnableSavePowerNow", L"AutoPowerSaveModeEnabled", L"AutoDisableGigabit"})
    EXPECT_EQ(text(nic, name), L"0") << name;
  EXPECT_EQ(m.dword(HKLM, nic, L"PnPCapabilities"), 24u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  EXPECT_TRUE(tweak.revert());
  for (const wchar_t* name : {L"*EEE", L"EEELinkAdvertisement", L"EnableGreenEthernet"}) EXPECT_EQ(text(nic, name), L"1");
  EXPECT_FALSE(m.value(HKLM, nic, L"AdvancedEEE").has_value());
  EXPECT_FALSE(m.value(HKLM, nic, L"PnPCapabilities").has_value());
  for (const wchar_t* name : {L"EnablePME", L"EnableSavePowerNow", L"AutoPowerSaveModeEnabled", L"AutoDisableGigabit"})
    EXPECT_EQ(text(nic, name), L"0");
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(NetworkAdapterTest, EeeStateReadsTheKeywordsAsTextOnly) {
  const auto nic = test::addNetworkAdapter(m, L"0001", L"Realtek PCIe 2.5GbE Family Controller", kRealtekGuid);
  VipDisableEEETweak tweak;
  m.setDword(HKLM, nic, L"*EEE", 0);  // a DWORD 0 is not the keyword text "0"
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  m.setString(HKLM, nic, L"EEELinkAdvertisement", L"0");
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
}

}  // namespace
}  // namespace vx
