// The extended "pro." group on the simulated machine: registry values and reverts, the TDR and
// Cortana state rules, the PowerShell and netsh commands and their markers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "support/registry_tweak_cases.h"
#include "platform/system.h"
#include "tweaks/extended_tweaks.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
const std::wstring kMarkerKey = L"SOFTWARE\\Vantorix";
const std::wstring kGamesTask = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile\\Tasks\\Games";
const std::wstring kGraphicsDrivers = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
const std::wstring kSearchPolicy = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search";
const std::wstring kUserSearch = L"Software\\Microsoft\\Windows\\CurrentVersion\\Search";

class ExtendedTweaksTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  bool marker(const wchar_t* name) const { return m.value(HKLM, kMarkerKey, name).has_value(); }
  std::wstring sys() const { return systemDirectory().value(); }
  sim::Machine& m = sim::machine();
};

TEST_F(ExtendedTweaksTest, RegistryTweaksWriteTheirValuesAndRevert) {
  const std::wstring throttling = L"SYSTEM\\CurrentControlSet\\Control\\Power\\PowerThrottling";
  const std::wstring reserve = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ReserveManager";
  const test::RegistryTweakCase cases[] = {
      {"mmcss", [] { return std::make_unique<MmcssGamingTweak>(); },
       {{HKLM, kGamesTask, L"GPU Priority", L"dword:8", L"dword:8"},
        {HKLM, kGamesTask, L"Priority", L"dword:6", L"dword:2"},
        {HKLM, kGamesTask, L"Scheduling Category", L"sz:High", L"sz:Medium"},
        {HKLM, kGamesTask, L"SFIO Priority", L"sz:High", L"sz:Normal"},
        {HKLM, kGamesTask, L"Background Only", L"sz:False", L"sz:False"}}},  // text; left in place
      {"power throttling", [] { return std::make_unique<DisablePowerThrottlingTweak>(); },
       {{HKLM, throttling, L"PowerThrottlingOff", L"dword:1", L"absent"}}},
      {"tdr", [] { return std::make_unique<GpuTdrDelayTweak>(); },
       {{HKLM, kGraphicsDrivers, L"TdrDelay", L"dword:60", L"absent"},
        {HKLM, kGraphicsDrivers, L"TdrDdiDelay", L"dword:60", L"absent"}}},
      {"cortana", [] { return std::make_unique<DisableCortanaTweak>(); },
       {{HKLM, kSearchPolicy, L"AllowCortana", L"dword:0", L"absent"},
        {HKLM, kSearchPolicy, L"DisableWebSearch", L"dword:1", L"absent"},
        {HKCU, kUserSearch, L"BingSearchEnabled", L"dword:0", L"absent"},
        {HKCU, kUserSearch, L"CortanaConsent", L"dword:0", L"absent"}}},
      {"reserved storage", [] { return std::make_unique<ReservedStorageTweak>(); },
       {{HKLM, reserve, L"ShippedWithReserves", L"dword:0", L"absent"},
        {HKLM, reserve, L"BaseHardReserveSize", L"dword:0", L"absent"},
        {HKLM, reserve, L"BaseSoftReserveSize", L"dword:0", L"absent"},
        {HKLM, reserve, L"HardReserveAdjustment", L"dword:0", L"absent"},
        {HKLM, reserve, L"MinDiskSize", L"dword:0", L"absent"}}},
  };
  for (const auto& c : cases) test::expectApplyAndRevert(c);  // MMCSS: Priority is 2 again
}

TEST_F(ExtendedTweaksTest, TdrCountsAsRaisedFromThirtySeconds) {
  GpuTdrDelayTweak tweak;
  for (const auto& [delay, expected] : {std::pair{29u, TweakState::NotApplied}, std::pair{30u, TweakState::Applied},
                                        std::pair{2u, TweakState::NotApplied}, std::pair{120u, TweakState::Applied}}) {
    m.setDword(HKLM, kGraphicsDrivers, L"TdrDelay", delay);
    EXPECT_EQ(tweak.queryState(), expected) << delay;
  }
}

TEST_F(ExtendedTweaksTest, CortanaStateFollowsThePolicyValueAlone) {
  DisableCortanaTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  m.setDword(HKCU, kUserSearch, L"BingSearchEnabled", 0);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  m.setDword(HKLM, kSearchPolicy, L"AllowCortana", 0);  // user values missing, policy set
  m.deleteKey(HKCU, kUserSearch);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, kSearchPolicy}, {HKCU, kUserSearch}}));
}

// --- PowerShell memory compression ---

TEST_F(ExtendedTweaksTest, MemoryCompressionWithoutPowerShellFailsWithoutMarker) {
  DisableMemoryCompressionTweak tweak;
  EXPECT_FALSE(tweak.apply());
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_FALSE(m.startedPrograms()[0].started);
  EXPECT_FALSE(marker(L"MemCompressionDisabled"));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(ExtendedTweaksTest, MemoryCompressionRunsPowerShellAndKeepsAMarker) {
  const std::wstring powershell = sys() + L"\\WindowsPowerShell\\v1.0\\powershell.exe";
  m.addProgram(powershell, 0, 2000);
  DisableMemoryCompressionTweak tweak;
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.startedPrograms()[0].commandLine, L"\"" + powershell + L"\" -NoProfile -Command Disable-MMAgent -mc");
  EXPECT_EQ(m.startedPrograms()[0].timeoutMs, 15000u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);

  m.addProgram(powershell, 1);  // revert ignores the command's result
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.startedPrograms()[1].commandLine, L"\"" + powershell + L"\" -NoProfile -Command Enable-MMAgent -mc");
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// --- netsh auto-tuning ---

TEST_F(ExtendedTweaksTest, AutotuneMarksASuccessfulNetshAndRevertLeavesWindowsDefault) {
  const std::wstring netsh = sys() + L"\\netsh.exe";
  TcpReceiveAutotuneTweak tweak;
  m.addProgram(netsh, 1);
  EXPECT_FALSE(tweak.apply());
  EXPECT_FALSE(marker(L"TcpAutotuneApplied"));

  m.addProgram(netsh, 0);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.startedPrograms()[1].commandLine, L"\"" + netsh + L"\" int tcp set global autotuninglevel=normal");
  EXPECT_EQ(m.startedPrograms()[1].timeoutMs, 5000u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  // "normal" is Windows' default: revert only forgets the marker and never disables auto-tuning.
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.startedPrograms().size(), 2u);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(ExtendedTweaksTest, CommandTweaksNeedTheSystemDirectory) {
  m.setSystemDirectory(std::nullopt);
  DisableMemoryCompressionTweak memory;
  TcpReceiveAutotuneTweak autotune;
  for (Tweak* t : std::initializer_list<Tweak*>{&memory, &autotune}) EXPECT_FALSE(t->apply()) << t->id;
  EXPECT_FALSE(memory.revert());
  EXPECT_TRUE(autotune.revert()) << "revert runs nothing, so it needs nothing";
  EXPECT_TRUE(m.startedPrograms().empty());
}

TEST_F(ExtendedTweaksTest, MachineNotes) {
  DisablePowerThrottlingTweak throttling;
  DisableMemoryCompressionTweak memory;
  MmcssGamingTweak mmcss;
  m.setWindowsVersion({6, 3, 9600});
  m.setMemory(MemoryStatus{4ULL << 30, 1ULL << 30, 75});
  EXPECT_EQ(throttling.compatibilityNote(), L"Требуется Windows 10 или новее.");
  EXPECT_EQ(memory.compatibilityNote(), L"Не рекомендуется при ОЗУ < 8 ГБ.");
  EXPECT_EQ(mmcss.compatibilityNote(), L"");
  m.reset();
  EXPECT_EQ(throttling.compatibilityNote(), L"");
  EXPECT_EQ(memory.compatibilityNote(), L"");
}

}  // namespace
}  // namespace vx
