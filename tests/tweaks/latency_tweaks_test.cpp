// Latency, timer and GPU tweaks on the simulated machine: what the registry tweaks write and
// leave after revert, the tool-driven tweaks and their markers, the NVIDIA and ReBAR adapter
// tweaks and the machine notes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/sim/machine.h"
#include "support/network_scenarios.h"
#include "support/registry_tweak_cases.h"
#include "support/system_tools_sim.h"
#include "tweaks/latency_tweaks.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
const std::wstring kMarkerKey = L"SOFTWARE\\Vantorix";
const std::wstring kGraphicsDrivers = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";

class LatencyTweaksTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  bool marker(const wchar_t* name) const { return m.value(HKLM, kMarkerKey, name).has_value(); }
  static std::wstring tool(const wchar_t* exe) { return L"\"" + systemToolPath(exe) + L"\" "; }
  sim::Machine& m = sim::machine();
};

// --- plain registry tweaks: what apply writes and what revert leaves ---

TEST_F(LatencyTweaksTest, RegistryTweaksWriteTheirValuesAndRevertToDefaults) {
  const std::wstring gameStore = L"System\\GameConfigStore";
  const std::wstring memory = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const std::wstring priority = L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl";
  const test::RegistryTweakCase cases[] = {
      {"fso", [] { return std::make_unique<FsoDisableTweak>(); },
       {{HKCU, gameStore, L"GameDVR_FSEBehaviorMode", L"dword:2", L"absent"},
        {HKCU, gameStore, L"GameDVR_DXGIHonorFSEWindowsCompatible", L"dword:1", L"absent"},
        {HKCU, gameStore, L"GameDVR_HonorUserFSEBehaviorMode", L"dword:1", L"absent"},
        {HKCU, gameStore, L"GameDVR_EFSEFeatureFlags", L"dword:0", L"absent"}}},
      {"shader cache", [] { return std::make_unique<ShaderCacheTweak>(); },
       {{HKLM, kGraphicsDrivers, L"ShaderCache", L"dword:1", L"absent"}, {HKLM, kGraphicsDrivers, L"D3D12ShaderCacheSize", L"dword:102400", L"absent"}}},
      {"system cache", [] { return std::make_unique<SystemCachePriorityTweak>(); },
       {{HKLM, memory, L"LargeSystemCache", L"dword:1", L"absent"}, {HKLM, memory, L"IoPageLockLimit", L"dword:983040", L"absent"}}},
      {"quanta", [] { return std::make_unique<DynamicPriorityTweak>(); },
       {{HKLM, priority, L"Win32PrioritySeparation", L"dword:38", L"dword:2"}}},
      {"hags", [] { return std::make_unique<HagsTweak>(); }, {{HKLM, kGraphicsDrivers, L"HwSchMode", L"dword:2", L"dword:1"}}},
  };
  for (const auto& c : cases) test::expectApplyAndRevert(c);
}

TEST_F(LatencyTweaksTest, FsoStateLooksAtTheFirstTwoValuesOnly) {
  FsoDisableTweak tweak;
  m.setDword(HKCU, L"System\\GameConfigStore", L"GameDVR_FSEBehaviorMode", 2);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  m.setDword(HKCU, L"System\\GameConfigStore", L"GameDVR_DXGIHonorFSEWindowsCompatible", 1);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
}

// --- USB power saving ---

TEST_F(LatencyTweaksTest, UsbPowerSaveDependsOnTheRegistryWriteOnly) {
  UsbPowerSaveTweak tweak;  // powercfg is absent on this machine
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, L"SYSTEM\\CurrentControlSet\\Services\\USB", L"DisableSelectiveSuspend"), 1u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  // The USB subgroup and its selective-suspend setting.
  const std::wstring guid = L"2a737441-1930-4402-8d77-b2bebba308a3 48e6b7a6-50f5-4782-a5d4-53bb8f07e226 ";
  const std::wstring pc = tool(L"powercfg.exe");
  EXPECT_EQ(m.startedCommandLines(), (std::vector<std::wstring>{pc + L"/SETACVALUEINDEX SCHEME_CURRENT " + guid + L"0",
                                                       pc + L"/SETDCVALUEINDEX SCHEME_CURRENT " + guid + L"0",
                                                       pc + L"/SETACTIVE SCHEME_CURRENT"}));
  for (const auto& p : m.startedPrograms()) EXPECT_EQ(p.timeoutMs, 5000u);

  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.startedCommandLines().at(3), pc + L"/SETACVALUEINDEX SCHEME_CURRENT " + guid + L"1");
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// --- boot configuration tweaks ---

// bcdedit that fails exactly the commands containing `failing`.
void installBcdedit(sim::Machine& m, std::wstring failing) {
  m.addProgram(systemToolPath(L"bcdedit.exe"), [failing](const std::wstring& line) {
    const bool fail = !failing.empty() && line.find(failing) != std::wstring::npos;
    return sim::ProgramRun{fail ? 1u : 0u, 50, {}};
  });
}

TEST_F(LatencyTweaksTest, BcdTimerMarksOnlyWhenAllThreeCommandsWork) {
  const std::wstring bcd = tool(L"bcdedit.exe");
  BcdHpetTweak tweak;
  for (const wchar_t* failing : {L"useplatformclock", L"useplatformtick", L"/set"}) {
    m.reset();
    installBcdedit(m, failing);
    EXPECT_FALSE(tweak.apply());
    EXPECT_EQ(m.startedPrograms().size(), 3u);  // the others still ran
    EXPECT_FALSE(marker(L"BcdHpetApplied"));
    EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  }

  m.reset();
  installBcdedit(m, L"");
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.startedCommandLines(), (std::vector<std::wstring>{bcd + L"/set {current} disabledynamictick yes",
                                                       bcd + L"/set {current} useplatformclock yes",
                                                       bcd + L"/set {current} useplatformtick yes"}));
  for (const auto& p : m.startedPrograms()) EXPECT_EQ(p.timeoutMs, 8000u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  const auto lines = m.startedCommandLines();
  EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 3, lines.end()),
            (std::vector<std::wstring>{bcd + L"/deletevalue {current} disabledynamictick",
                                       bcd + L"/deletevalue {current} useplatformclock",
                                       bcd + L"/deletevalue {current} useplatformtick"}));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// A failed dynamic-tick step must not leave "HpetOff", which would show the tweak as applied; the
// platform-clock delete is best effort (it fails wherever the element was never set).
TEST_F(LatencyTweaksTest, HpetOffMarksOnlyWhenTheDynamicTickStepWorks) {
  const std::wstring bcd = tool(L"bcdedit.exe");
  HpetDisableTweak tweak;
  struct Case {
    const wchar_t* failing;
    bool applied;
  };
  for (const Case& c : {Case{L"useplatformclock", true}, Case{L"disabledynamictick", false}}) {
    m.reset();
    installBcdedit(m, c.failing);
    EXPECT_EQ(tweak.apply(), c.applied);
    EXPECT_EQ(m.startedPrograms().size(), 2u);
    EXPECT_EQ(marker(L"HpetOff"), c.applied);
    EXPECT_EQ(tweak.queryState(), c.applied ? TweakState::Applied : TweakState::NotApplied);
  }
  m.reset();  // bcdedit missing altogether
  EXPECT_FALSE(tweak.apply());
  EXPECT_FALSE(marker(L"HpetOff"));

  installBcdedit(m, L"");
  ASSERT_TRUE(tweak.apply());
  const auto lines = m.startedCommandLines();
  EXPECT_EQ(std::vector<std::wstring>(lines.end() - 2, lines.end()),
            (std::vector<std::wstring>{bcd + L"/deletevalue {current} useplatformclock",
                                       bcd + L"/set {current} disabledynamictick yes"}));
  EXPECT_EQ(m.startedPrograms().back().timeoutMs, 5000u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.startedCommandLines().back(), bcd + L"/deletevalue {current} disabledynamictick");
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// A stock boot configuration has no useplatformclock, so Windows' bcdedit refuses to delete it;
// the tweak still turns the dynamic tick off and shows as applied. A PC where an earlier tweak
// set the platform clock loses it.
TEST_F(LatencyTweaksTest, HpetOffWorksOnAStockBootConfiguration) {
  HpetDisableTweak tweak;
  struct Case {
    const char* scene;
    test::BootElements before;
  };
  for (const Case& c : {Case{"stock", {}}, Case{"platform clock set", {{L"useplatformclock", L"yes"}}}}) {
    SCOPED_TRACE(c.scene);
    m.reset();
    const auto boot = test::installBcdedit(m, c.before);
    EXPECT_TRUE(tweak.apply());
    EXPECT_EQ(*boot, (test::BootElements{{L"disabledynamictick", L"yes"}}));
    EXPECT_EQ(tweak.queryState(), TweakState::Applied);
    EXPECT_TRUE(tweak.revert());
    EXPECT_TRUE(boot->empty());
    EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  }
}

// --- DISM ---

TEST_F(LatencyTweaksTest, DismLongerThanAnHourFailsAndKeepsRunning) {
  m.addProgram(systemToolPath(L"dism.exe"), 0, 3600001);
  DismCleanupTweak tweak;
  EXPECT_FALSE(tweak.apply());
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_EQ(m.startedPrograms()[0].commandLine,
            tool(L"dism.exe") + L"/Online /Cleanup-Image /StartComponentCleanup /ResetBase");
  EXPECT_EQ(m.startedPrograms()[0].timeoutMs, 3600000u);
  EXPECT_EQ(m.pendingPrograms(), 1u);  // not killed
  EXPECT_FALSE(marker(L"DismCleanupRun"));
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(LatencyTweaksTest, DismWithinTheHourMarksAndRevertOnlyForgets) {
  m.addProgram(systemToolPath(L"dism.exe"), 0, 3600000);
  DismCleanupTweak tweak;
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// --- Windows version and memory notes ---

TEST_F(LatencyTweaksTest, VersionNotes) {
  struct Case {
    WindowsVersion version;
    const wchar_t* hags;
    const wchar_t* win10;
  };
  const wchar_t* kHagsNote = L"Требуется Windows 10 2004 (build 19041) или новее.";
  const wchar_t* kWin10Note = L"Требуется Windows 10 или новее.";
  const Case cases[] = {
      {{10, 0, 18363}, kHagsNote, L""},
      {{10, 0, 19041}, L"", L""},
      {{10, 0, 22631}, L"", L""},
      {{6, 1, 7601}, kHagsNote, kWin10Note},
      {{0, 0, 0}, kHagsNote, kWin10Note},  // version unreadable
  };
  HagsTweak hags;
  BcdHpetTweak bcd;
  HpetDisableTweak hpet;
  FsoDisableTweak fso;
  DismCleanupTweak dism;
  ShaderCacheTweak shader;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version.build);
    m.setWindowsVersion(c.version);
    EXPECT_EQ(hags.compatibilityNote(), c.hags);
    for (const Tweak* t : std::initializer_list<const Tweak*>{&bcd, &hpet, &fso, &dism})
      EXPECT_EQ(t->compatibilityNote(), c.win10) << t->id;
    EXPECT_EQ(shader.compatibilityNote(), L"");
  }
}

TEST_F(LatencyTweaksTest, SystemCacheIsAdvisedAgainstBelowEightGiB) {
  SystemCachePriorityTweak tweak;
  m.setMemory(MemoryStatus{0x200000000ULL - 1, 0, 50});
  EXPECT_EQ(tweak.compatibilityNote(), L"Не рекомендуется при ОЗУ < 8 ГБ.");
  m.setMemory(MemoryStatus{0x200000000ULL, 0, 50});
  EXPECT_EQ(tweak.compatibilityNote(), L"");
  m.setMemory(std::nullopt);  // unreadable: no advice against it
  EXPECT_EQ(tweak.compatibilityNote(), L"");
}

// --- NVIDIA and ReBAR ---

TEST_F(LatencyTweaksTest, NvidiaTweakWithoutNvidiaIsNotAppliedNotUnavailable) {
  test::addRx6800(m, L"0000");
  NvidiaPStateTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  EXPECT_FALSE(tweak.apply());
  EXPECT_TRUE(tweak.backupKeys().empty());
  EXPECT_EQ(tweak.compatibilityNote(), L"NVIDIA GPU не обнаружен.");
  EXPECT_EQ(m.registryWrites(), 0u);
}

TEST_F(LatencyTweaksTest, NvidiaTweakWritesOnlyTheNvidiaDriverKey) {
  const auto amd = test::addRx6800(m, L"0000");
  const auto nvidia = test::addRtx3070(m, L"0001");
  NvidiaPStateTweak tweak;
  EXPECT_EQ(tweak.compatibilityNote(), L"");
  EXPECT_EQ(tweak.backupKeys(), (std::vector<BackupKey>{{HKLM, nvidia.classKey}}));
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, nvidia.classKey, L"PowerMizerEnable"), 1u);
  EXPECT_EQ(m.dword(HKLM, nvidia.classKey, L"PowerMizerLevel"), 1u);
  EXPECT_EQ(m.dword(HKLM, nvidia.classKey, L"PowerMizerLevelAC"), 1u);
  EXPECT_EQ(m.dword(HKLM, nvidia.classKey, L"PerfLevelSrc"), 0x3322u);
  EXPECT_FALSE(m.value(HKLM, amd.classKey, L"PowerMizerEnable").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_FALSE(m.value(HKLM, nvidia.classKey, L"PerfLevelSrc").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

TEST_F(LatencyTweaksTest, ReBarOnlyReportsWhatTheDriverSees) {
  const auto amd = test::addRx6800(m, L"0000");
  ReBarStatusTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  m.setDword(HKLM, amd.classKey, L"ReBarSupport", 1);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  const auto writes = m.registryWrites();
  EXPECT_FALSE(tweak.apply());
  EXPECT_FALSE(tweak.revert());
  EXPECT_EQ(m.registryWrites(), writes);
}

}  // namespace
}  // namespace vx
