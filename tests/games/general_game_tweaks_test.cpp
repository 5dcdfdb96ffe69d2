// The general game tweaks on the simulated machine: Game Bar values and what revert leaves,
// the raw-mouse strings, ULPS on the NVIDIA adapters found by their DriverDesc, the colour
// settings shortcut and the shader cache clean-up that never reaches through a link.
#include <gtest/gtest.h>

#include <filesystem>

#include "games/game_scenarios.h"
#include "games/general_game_tweaks.h"
#include "hw/nvidia_keys.h"
#include "platform/files.h"
#include "support/hardware_scenarios.h"
#include "support/sim_test.h"

namespace vx {
namespace {

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
using test::fileExists;
using test::putFile;

class GeneralGameTweaks : public test::SimTest {};

TEST_F(GeneralGameTweaks, GameBarRevertLeavesGameModeAndPolicy) {
  KillGameBarTweak t;
  EXPECT_EQ(t.backupKeys().size(), 3u);
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.dword(HKCU, L"System\\GameConfigStore", L"GameDVR_FSEBehaviorMode"), 2u);
  EXPECT_EQ(machine.dword(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\GameDVR", L"AppCaptureEnabled"), 0u);
  EXPECT_EQ(t.queryState(), TweakState::Applied);
  ASSERT_TRUE(t.revert());
  EXPECT_FALSE(machine.value(HKCU, L"System\\GameConfigStore", L"GameDVR_Enabled").has_value());
  EXPECT_FALSE(machine.value(HKCU, L"Software\\Microsoft\\GameBar", L"UseNexusForGameBarEnabled").has_value());
  EXPECT_EQ(machine.dword(HKCU, L"Software\\Microsoft\\GameBar", L"AutoGameModeEnabled"), 1u);
  EXPECT_EQ(machine.dword(HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR", L"AllowGameDVR"), 0u);
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

TEST_F(GeneralGameTweaks, RawMouseUsesStringsAndKeepsSensitivityOnRevert) {
  MouseRawInputTweak t;
  machine.setDword(HKCU, L"Control Panel\\Mouse", L"MouseSpeed", 0);
  machine.setString(HKCU, L"Control Panel\\Mouse", L"MouseThreshold1", L"0");
  EXPECT_EQ(t.queryState(), TweakState::NotApplied) << "a DWORD MouseSpeed is not the string 0";
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.string(HKCU, L"Control Panel\\Mouse", L"MouseSensitivity"), L"10");
  EXPECT_EQ(t.queryState(), TweakState::Applied);
  ASSERT_TRUE(t.revert());
  EXPECT_EQ(machine.string(HKCU, L"Control Panel\\Mouse", L"MouseSpeed"), L"1");
  EXPECT_EQ(machine.string(HKCU, L"Control Panel\\Mouse", L"MouseThreshold1"), L"6");
  EXPECT_EQ(machine.string(HKCU, L"Control Panel\\Mouse", L"MouseThreshold2"), L"10");
  EXPECT_EQ(machine.string(HKCU, L"Control Panel\\Mouse", L"MouseSensitivity"), L"10");
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

TEST_F(GeneralGameTweaks, UlpsFindsAdaptersByTheirExactDriverDesc) {
  NvDisableUlpsTweak t;
  EXPECT_EQ(t.queryState(), TweakState::Unavailable);
  EXPECT_EQ(t.compatibilityNote(), L"NVIDIA GPU не обнаружен.");
  EXPECT_FALSE(t.apply());

  const std::wstring rtx = test::addDisplayAdapter(machine, L"0000", L"NVIDIA GeForce RTX 3070");
  const std::wstring gtx = test::addDisplayAdapter(machine, L"0001", L"GeForce GTX 1060");
  const std::wstring quadro = test::addDisplayAdapter(machine, L"0002", L"nVidia Quadro P4000");
  test::addDisplayAdapter(machine, L"0003", L"AMD Radeon RX 6800");
  // The vendor rule of the driver tweaks folds case; the ULPS rule does not.
  EXPECT_EQ(nvidiaDriverDescKeys(), (std::vector<std::wstring>{rtx, gtx}));
  const auto byVendor = nvidiaDisplayKeys();
  EXPECT_NE(std::find(byVendor.begin(), byVendor.end(), quadro), byVendor.end());
  EXPECT_EQ(t.compatibilityNote(), L"");

  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.dword(HKLM, rtx, L"DisableULPS"), 1u);
  EXPECT_EQ(machine.dword(HKLM, gtx, L"DisableULPS"), 1u);
  EXPECT_FALSE(machine.value(HKLM, quadro, L"DisableULPS").has_value());
  machine.setDword(HKLM, rtx, L"DisableULPS", 0);
  EXPECT_EQ(t.queryState(), TweakState::Applied) << "one adapter with DisableULPS = 1 is enough";
  ASSERT_TRUE(t.revert());
  EXPECT_FALSE(machine.value(HKLM, gtx, L"DisableULPS").has_value());
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

TEST_F(GeneralGameTweaks, ColourSettingsOpenTheFirstPanelPresent) {
  const std::wstring nvidia64 = L"C:\\Program Files\\NVIDIA Corporation\\Control Panel Client\\nvcplui.exe";
  const std::wstring nvidia32 = L"C:\\Program Files (x86)\\NVIDIA Corporation\\Control Panel Client\\nvcplui.exe";
  const std::wstring amd = L"C:\\Program Files\\AMD\\CNext\\CNext\\RadeonSoftware.exe";
  OpenColorSettingsTweak t;
  ASSERT_TRUE(t.apply());
  putFile(amd, "MZ");
  ASSERT_TRUE(t.apply());
  putFile(nvidia32, "MZ");
  ASSERT_TRUE(t.apply());
  putFile(nvidia64, "MZ");
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(machine.shellOpened(), (std::vector<std::wstring>{L"ms-settings:display", amd, nvidia32, nvidia64}));
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  EXPECT_TRUE(t.revert());
}

TEST_F(GeneralGameTweaks, ColourSettingsFailWhenNeitherOpenRouteWorks) {
  OpenColorSettingsTweak t;
  machine.failShellExecute();
  EXPECT_FALSE(t.apply()) << "no shell window, and ShellExecuteW refuses";
  machine.setShell({.window = true});
  EXPECT_TRUE(t.apply());
  machine.failShellProcessOpens();
  EXPECT_FALSE(t.apply());
  EXPECT_EQ(machine.shellOpens(),
            (std::vector<sim::Machine::ShellOpen>{{L"ms-settings:display", sim::Machine::OpenRoute::ShellProcess}}));
}

TEST_F(GeneralGameTweaks, ShaderCacheClearingDeletesFilesButNothingThroughALink) {
  const std::wstring local = L"C:\\Users\\Player\\AppData\\Local";
  ClearShaderCacheTweak t;
  EXPECT_FALSE(t.apply()) << "no cache folders";
  ASSERT_TRUE(createDirectories(local + L"\\D3DSCache\\empty"));
  EXPECT_FALSE(t.apply()) << "only empty folders";

  const std::wstring d3d = putFile(local + L"\\D3DSCache\\a\\b\\shader.bin", "x");
  const std::wstring nv = putFile(local + L"\\NVIDIA\\GLCache\\c.bin", "x");
  const std::wstring amd = putFile(local + L"\\AMD\\DxCache\\d.bin", "x");
  const std::wstring denied = putFile(local + L"\\NVIDIA\\DXCache\\locked\\e.bin", "x");
  machine.denyDirectory(local + L"\\NVIDIA\\DXCache\\locked");
  // A link inside a cache and a cache folder that is itself a link both lead to the user's files.
  const std::wstring outside = putFile(L"D:\\Keep\\save.dat", "precious");
  const std::wstring outsideFile = putFile(L"D:\\Keep2\\file.dat", "precious");
  std::filesystem::create_directory_symlink(machine.hostPath(L"D:\\Keep"), machine.hostPath(local + L"\\D3DSCache\\link"));
  std::filesystem::create_symlink(machine.hostPath(outsideFile), machine.hostPath(local + L"\\D3DSCache\\file-link"));
  std::filesystem::create_directory_symlink(machine.hostPath(L"D:\\Keep2"), machine.hostPath(local + L"\\AMD\\GLCache"));

  ASSERT_TRUE(t.apply());
  for (const std::wstring& gone : {d3d, nv, amd}) EXPECT_FALSE(fileExists(gone));
  EXPECT_TRUE(fileExists(local + L"\\D3DSCache\\a\\b"));
  EXPECT_EQ(test::fileBytes(outside), "precious");
  EXPECT_EQ(test::fileBytes(outsideFile), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(machine.hostPath(local + L"\\D3DSCache\\file-link")));
  machine.denyDirectory(local + L"\\NVIDIA\\DXCache\\locked");
  EXPECT_TRUE(std::filesystem::exists(machine.hostPath(denied)));
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);
}

}  // namespace
}  // namespace vx
