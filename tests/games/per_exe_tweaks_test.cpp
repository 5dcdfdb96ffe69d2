// The per-executable game tweaks on the simulated machine: IFEO priority values, the mitigation
// value in the layout Windows reads, and the compatibility flags keyed by the found executable.
#include <gtest/gtest.h>

#include "games/game_scenarios.h"
#include "games/mitigation_options.h"
#include "games/per_exe_tweaks.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/sim_test.h"

namespace vx {
namespace {

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
const std::wstring kIfeoCs2 = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\cs2.exe";

class PerExeTweaks : public test::SimTest {
 protected:
  GameDiscovery discovery{steadyNanoseconds};
};

TEST_F(PerExeTweaks, IfeoPriorityNeedsBothValuesAndRevertKeepsTheKey) {
  IfeoPriorityTweak t(L"cs2.exe", L"CS2");
  EXPECT_EQ(t.id, L"game.ifeo.cs2.exe");
  EXPECT_EQ(t.backupKeys(), (std::vector<BackupKey>{{HKLM, kIfeoCs2 + L"\\PerfOptions"}}));
  machine.setDword(HKLM, kIfeoCs2 + L"\\PerfOptions", L"CpuPriorityClass", 3);
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  machine.setString(HKLM, kIfeoCs2 + L"\\PerfOptions", L"IoPriority", L"3");
  EXPECT_EQ(t.queryState(), TweakState::NotApplied) << "a string 3 is not a DWORD 3";

  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.dword(HKLM, kIfeoCs2 + L"\\PerfOptions", L"IoPriority"), 3u);
  EXPECT_EQ(t.queryState(), TweakState::Applied);
  ASSERT_TRUE(t.revert());
  EXPECT_FALSE(machine.value(HKLM, kIfeoCs2 + L"\\PerfOptions", L"CpuPriorityClass").has_value());
  EXPECT_FALSE(machine.value(HKLM, kIfeoCs2 + L"\\PerfOptions", L"IoPriority").has_value());
  EXPECT_TRUE(machine.keyExists(HKLM, kIfeoCs2 + L"\\PerfOptions"));
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

TEST_F(PerExeTweaks, MitigationsSwitchOffCfgAndAslrInTheBinaryLayout) {
  GameMitigationsTweak t(L"cs2.exe", L"CS2");
  EXPECT_EQ(t.id, L"game.mit.cs2.exe");
  EXPECT_EQ(t.title, L"CS2: отключить mitigations");
  EXPECT_EQ(t.category, TweakCategory::Pro);
  EXPECT_TRUE(t.isAggressive());
  EXPECT_EQ(t.backupKeys(), (std::vector<BackupKey>{{HKLM, kIfeoCs2}}));

  ASSERT_TRUE(t.apply());
  const auto written = machine.value(HKLM, kIfeoCs2, L"MitigationOptions");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->type, sim::RegType::Binary);
  // CFG (bits 40-43), forced relocation (8-11) and bottom-up ASLR (16-19) = 2, always off.
  EXPECT_EQ(written->data, (std::vector<std::uint8_t>{0x00, 0x02, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0,
                                                      0, 0, 0}));
  EXPECT_EQ(t.queryState(), TweakState::Applied);
  ASSERT_TRUE(t.revert());
  EXPECT_FALSE(machine.value(HKLM, kIfeoCs2, L"MitigationOptions").has_value());
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

TEST_F(PerExeTweaks, MitigationStateReadsTheThreeFields) {
  GameMitigationsTweak t(L"cs2.exe", L"CS2");
  using Bytes = std::vector<std::uint8_t>;
  struct Case {
    const char* what;
    sim::RegType type;
    Bytes data;
    TweakState state;
  };
  const Case cases[] = {
      {"ours", sim::RegType::Binary, mitigation::gameOffValue(), TweakState::Applied},
      {"eight bytes, other fields set too", sim::RegType::Binary, {0x11, 0x02, 0x02, 0x11, 0x11, 0x02, 0x11, 0x11},
       TweakState::Applied},
      {"CFG always on", sim::RegType::Binary, {0x00, 0x02, 0x02, 0x00, 0x00, 0x01, 0x00, 0x00}, TweakState::NotApplied},
      {"bottom-up ASLR default", sim::RegType::Binary, {0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00},
       TweakState::NotApplied},
      {"too short", sim::RegType::Binary, {0x00, 0x02, 0x02, 0x00}, TweakState::NotApplied},
      {"the old DWORD 0x11111111", sim::RegType::Dword, {0x11, 0x11, 0x11, 0x11}, TweakState::NotApplied},
      {"a QWORD with our bytes", sim::RegType::Qword, {0x00, 0x02, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00},
       TweakState::NotApplied},
  };
  for (const Case& c : cases) {
    machine.setValue(HKLM, kIfeoCs2, L"MitigationOptions", c.type, c.data);
    EXPECT_EQ(t.queryState(), c.state) << c.what;
  }
}

TEST_F(PerExeTweaks, FullscreenFlagsFollowTheFoundExecutable) {
  const std::wstring layers = kAppCompatLayersKey;
  // The libraries exist from the start: the roots are read once, on the first search.
  ASSERT_TRUE(createDirectories(L"D:\\SteamLibrary\\steamapps\\common"));
  ASSERT_TRUE(createDirectories(L"E:\\SteamLibrary\\steamapps\\common"));
  PerExeDisableFsoTweak t(L"RustClient.exe", L"Rust", discovery);
  EXPECT_EQ(t.id, L"game.fso.RustClient.exe");
  EXPECT_EQ(t.queryState(), TweakState::Unavailable);
  EXPECT_EQ(t.compatibilityNote(), L"Игра не найдена в стандартных каталогах.");
  EXPECT_FALSE(t.apply());
  EXPECT_TRUE(t.revert());

  const auto rust = test::installRust(L'D');
  machine.advanceMs(30'000);
  EXPECT_EQ(t.compatibilityNote(), L"");
  machine.setString(HKCU, layers, rust.exe, L"~ RUNASADMIN");
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.string(HKCU, layers, rust.exe), L"~ DISABLEDXMAXIMIZEDWINDOWEDMODE HIGHDPIAWARE");
  EXPECT_EQ(t.queryState(), TweakState::Applied);

  // The game moves to another library: the old value is no longer its own and stays.
  ASSERT_TRUE(removeFile(rust.exe));
  const auto moved = test::installRust(L'E');
  machine.advanceMs(30'000);
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(t.apply());
  ASSERT_TRUE(t.revert());
  EXPECT_FALSE(machine.value(HKCU, layers, moved.exe).has_value());
  EXPECT_TRUE(machine.value(HKCU, layers, rust.exe).has_value());
}

}  // namespace
}  // namespace vx
