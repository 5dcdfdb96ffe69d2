// The six config-file tweaks as the per-game group builds them, on the simulated machine: Rust's
// client.cfg lines, CS2's and Roblox's written files, the Unreal Engine .ini files; backups,
// reverts, and files that must survive a failed write or a failed backup.
#include <gtest/gtest.h>

#include "core/catalog.h"
#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/engine.h"
#include "games/config_backup.h"
#include "games/config_file_tweaks.h"
#include "games/game_groups.h"
#include "games/game_scenarios.h"
#include "platform/files.h"
#include "platform/system.h"
#include "games/config_tweak_fixture.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::fileBytes;
using test::fileExists;
using test::putFile;

constexpr const wchar_t* kLocal = test::kPlayerLocalAppData;

using ConfigFileTweaks = test::ConfigTweakTest;

// --- Rust ------------------------------------------------------------------------------------------

TEST_F(ConfigFileTweaks, RustLinesAreReplacedInPlaceOrAppended) {
  const std::string before =
      "\xEF\xBB\xBF// mine \xE9\r\ngraphics.fov \"75\"\r\ninput.sensitivity \"0.4\"\ngraphics.motionblur=True\r\n"
      "graphics.fov \"60\"";
  const auto rust = test::installRust(L'D', before);
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  ASSERT_TRUE(t->apply());
  EXPECT_EQ(fileBytes(rust.clientCfg),
            "\xEF\xBB\xBF// mine \xE9\r\ngraphics.fov \"90\"\r\ninput.sensitivity \"0.4\"\r\n"
            "graphics.motionblur \"False\"\r\ngraphics.fov \"60\"\r\n"
            "graphics.dof \"False\"\r\ngraphics.vignet \"False\"\r\ngraphics.bloom \"False\"\r\n"
            "graphics.aa \"True\"\r\ngraphics.sharpen \"0.5\"\r\ngraphics.tonemapping \"True\"\r\n"
            "graphics.fps \"0\"\r\nclient.softshadows \"False\"\r\n");
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  EXPECT_EQ(fileBytes(rust.clientCfg + L".vx.bak"), before);
}

TEST_F(ConfigFileTweaks, RustReadsAppliedOnTheMarkerAloneAndRevertsToTheFirstBackup) {
  const std::string before = "graphics.fov \"75\"\r\n";
  const auto rust = test::installRust(L'D', before);
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  ASSERT_TRUE(writeFileBytes(rust.clientCfg, "x graphics.dof \"False\" y\r\n"));
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  ASSERT_TRUE(writeFileBytes(rust.clientCfg, before));

  ASSERT_TRUE(t->apply());
  ASSERT_TRUE(t->apply());
  EXPECT_EQ(fileBytes(rust.clientCfg + L".vx.bak"), before);
  ASSERT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(rust.clientCfg), before);
  EXPECT_FALSE(fileExists(rust.clientCfg + L".vx.bak"));
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  // Without a backup revert succeeds and changes nothing.
  EXPECT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(rust.clientCfg), before);
}

TEST_F(ConfigFileTweaks, RustRefusesWithoutBackupAndKeepsTheFileOnAFailedWrite) {
  const std::string before = "graphics.fov \"75\"\r\n";
  const auto rust = test::installRust(L'D', before);
  const TweakPtr t = gameTweak(L"game.rust.visuals");

  machine.failFileWrites(rust.clientCfg + L".vx.bak");
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(rust.clientCfg), before);
  machine.failFileWrites(rust.clientCfg + L".vx.bak", false);

  // The backup is made, then the rewrite fails: the file is still the user's, byte for byte.
  ASSERT_TRUE(makeConfigBackup(rust.clientCfg));
  machine.failFileWrites(rust.clientCfg);
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(rust.clientCfg), before);
}

TEST_F(ConfigFileTweaks, RustWithoutTheGameIsUnavailable) {
  const TweakPtr t = gameTweak(L"game.rust.visuals");
  EXPECT_EQ(t->queryState(), TweakState::Unavailable);
  EXPECT_FALSE(t->apply());
  EXPECT_TRUE(t->revert());
  EXPECT_EQ(t->compatibilityNote(), L"Файл конфигурации игры не найден.");
  EXPECT_TRUE(t->backupKeys().empty());
  EXPECT_FALSE(t->isAggressive());
}

// --- CS2 and Roblox ---------------------------------------------------------------------------------

TEST_F(ConfigFileTweaks, Cs2AutoexecIsWrittenWithCrLfAndRemovedOnRevert) {
  const auto cs2 = test::installCs2UnderProgramFilesX86();
  const TweakPtr t = gameTweak(L"game.cs2.autoexec");
  const std::wstring file = cs2.cfgDir + L"\\autoexec.cfg";
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  EXPECT_EQ(t->compatibilityNote(), L"");
  ASSERT_TRUE(t->apply());
  const std::string written = fileBytes(file);
  EXPECT_EQ(written,
            "// Vantorix autoexec\r\nfps_max 0\r\nfps_max_ui 0\r\nengine_no_focus_sleep 0\r\ncl_disable_ragdolls 1\r\n"
            "cl_forcepreload 1\r\nmat_queue_mode 2\r\nr_dynamic 0\r\nr_eyegloss 0\r\nsnd_mixahead 0.025\r\n"
            "echo \"Vantorix autoexec loaded\"\r\nhost_writeconfig\r\n");
  EXPECT_EQ(t->queryState(), TweakState::Applied);

  // Applied twice: still nothing of the user's to keep, so revert still removes the file.
  ASSERT_TRUE(t->apply());
  EXPECT_FALSE(fileExists(file + L".vx.bak"));
  ASSERT_TRUE(t->revert());
  EXPECT_FALSE(fileExists(file));
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);

  // A file the user changed after apply stays, and the revert says it did not happen.
  ASSERT_TRUE(t->apply());
  ASSERT_TRUE(writeFileBytes(file, written + "bind x jump\r\n"));
  EXPECT_FALSE(t->revert());
  EXPECT_EQ(t->failureNote(), L"файл изменён после применения — не откачен");
  EXPECT_EQ(fileBytes(file), written + "bind x jump\r\n");
}

TEST_F(ConfigFileTweaks, Cs2KeepsTheUsersAutoexecSafe) {
  const auto cs2 = test::installCs2UnderProgramFilesX86();
  const std::wstring file = putFile(cs2.cfgDir + L"\\autoexec.cfg", "bind mouse4 +voice\r\n");
  const TweakPtr t = gameTweak(L"game.cs2.autoexec");

  // No backup possible: the user's only copy is not overwritten.
  machine.failFileWrites(file + L".vx.bak");
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(file), "bind mouse4 +voice\r\n");
  machine.failFileWrites(file + L".vx.bak", false);

  ASSERT_TRUE(t->apply());
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  ASSERT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(file), "bind mouse4 +voice\r\n");
  EXPECT_FALSE(fileExists(file + L".vx.bak"));

  // A restore that cannot write keeps the file and the backup, and says so.
  ASSERT_TRUE(t->apply());
  machine.failFileWrites(file);
  EXPECT_FALSE(t->revert());
  EXPECT_TRUE(fileExists(file + L".vx.bak"));
  EXPECT_EQ(t->queryState(), TweakState::Applied);
}

TEST_F(ConfigFileTweaks, WithoutItsFolderAWrittenFileIsUnavailable) {
  for (const wchar_t* id : {L"game.cs2.autoexec", L"game.roblox.fflags"}) {
    const TweakPtr t = gameTweak(id);
    EXPECT_EQ(t->queryState(), TweakState::Unavailable);
    EXPECT_FALSE(t->apply());
    EXPECT_TRUE(t->revert());
    EXPECT_EQ(t->compatibilityNote(), L"Каталог конфигурации игры не найден.");
  }
}

TEST_F(ConfigFileTweaks, FreshRobloxUsesTheNewestVersionAndCreatesClientSettings) {
  const test::RobloxVersions v = test::installTwoRobloxVersions(machine);
  const TweakPtr t = gameTweak(L"game.roblox.fflags");
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  EXPECT_EQ(t->compatibilityNote(), L"");
  ASSERT_TRUE(t->apply());
  const std::string json = fileBytes(v.newer + L"\\ClientSettings\\ClientAppSettings.json");
  EXPECT_EQ(json.rfind("{\r\n  \"DFIntTaskSchedulerTargetFps\": 240,\r\n  \"DFFlagDebugDisableTelemetryEphemeralCounter", 0),
            0u);
  const std::string tail = "  \"FFlagRenderEnableGlobalInstancing3\": \"true\",\r\n  \"FIntRenderShadowIntensity\": 0\r\n}\r\n";
  ASSERT_GT(json.size(), tail.size());
  EXPECT_EQ(json.substr(json.size() - tail.size()), tail);
  EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 13);
  EXPECT_EQ(std::count(json.begin(), json.end(), '\r'), 13);
  EXPECT_FALSE(fileExists(v.older + L"\\ClientSettings"));
  EXPECT_EQ(t->queryState(), TweakState::Applied);
}

TEST_F(ConfigFileTweaks, RobloxTakesTheFirstExistingClientSettings) {
  const test::RobloxVersions v = test::installTwoRobloxVersions(machine);
  ASSERT_TRUE(createDirectories(v.older + L"\\ClientSettings"));
  const TweakPtr t = gameTweak(L"game.roblox.fflags");
  ASSERT_TRUE(t->apply());
  EXPECT_TRUE(fileExists(v.older + L"\\ClientSettings\\ClientAppSettings.json"));
  EXPECT_FALSE(fileExists(v.newer + L"\\ClientSettings"));
}

// --- Unreal Engine ---------------------------------------------------------------------------------

TEST_F(ConfigFileTweaks, MissingPubgEngineIniIsCreatedAndRevertRemovesIt) {
  const std::wstring folder = std::wstring(kLocal) + L"\\TslGame\\Saved\\Config\\WindowsNoEditor";
  const TweakPtr t = gameTweak(L"game.pubg.engineini");
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  EXPECT_EQ(t->compatibilityNote(), L"Игра не запускалась ни разу: каталог конфига не создан.");
  ASSERT_TRUE(t->apply());
  EXPECT_EQ(fileBytes(folder + L"\\Engine.ini"),
            "[SystemSettings]\r\nr.MotionBlurQuality=0\r\nr.DepthOfFieldQuality=0\r\nr.SceneColorFringeQuality=0\r\n"
            "r.LensFlareQuality=0\r\nr.Tonemapper.Sharpen=0.5\r\nr.MaxAnisotropy=16\r\nr.OneFrameThreadLag=0\r\n"
            "r.RHICmdBypass=0\r\nr.GTSyncType=1\r\n\r\n[/script/engine.engine]\r\nbSmoothFrameRate=false\r\n"
            "MaxClientSmoothedFrameRate=288\r\n");
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  EXPECT_EQ(t->compatibilityNote(), L"");
  ASSERT_TRUE(t->revert());
  EXPECT_FALSE(fileExists(folder + L"\\Engine.ini"));
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
}

TEST_F(ConfigFileTweaks, UeStateIsDecidedByTheFirstSettingAlone) {
  const std::wstring path =
      std::wstring(kLocal) + L"\\TslGame\\Saved\\Config\\WindowsNoEditor\\GameUserSettings.ini";
  const TweakPtr t = gameTweak(L"game.pubg.gameusersettings");
  struct Case {
    std::string file;
    TweakState state;
  };
  const Case cases[] = {
      {"[/Script/Engine.GameUserSettings]\r\nFullscreenMode=0\r\nPreferredFullscreenMode=1\r\n", TweakState::Applied},
      {"[/Script/Engine.GameUserSettings]\r\nFullscreenMode = 0 \r\n", TweakState::Applied},
      {"[/Script/Engine.GameUserSettings]\r\nFullscreenMode=1\r\nPreferredFullscreenMode=0\r\n",
       TweakState::NotApplied},
      {"[/script/engine.gameusersettings]\r\nFullscreenMode=0\r\n", TweakState::NotApplied},
  };
  for (const Case& c : cases) {
    putFile(path, c.file);
    EXPECT_EQ(t->queryState(), c.state) << c.file;
  }
}

TEST_F(ConfigFileTweaks, ExistingIniIsEditedBackedUpAndRestoredExactly) {
  const std::wstring path = std::wstring(kLocal) + L"\\Arc\\Saved\\Config\\WindowsClient\\Engine.ini";
  const std::string before = "[Core.Log]\r\nLogX=Off\r\n\r\n[SystemSettings]\r\n r.MotionBlurQuality = 3\r\n\r\n"
                             "[Audio]\r\nVolume=\xE9\r\n";
  putFile(path, before);
  const TweakPtr t = gameTweak(L"game.arc.engineini");
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);

  machine.failFileWrites(path + L".vx.bak");
  EXPECT_FALSE(t->apply());
  EXPECT_EQ(fileBytes(path), before);
  machine.failFileWrites(path + L".vx.bak", false);

  ASSERT_TRUE(t->apply());
  const std::string after = fileBytes(path);
  EXPECT_NE(after.find("[SystemSettings]\r\nr.MotionBlurQuality=0\r\n\r\nr.MotionBlur.Max=0\r\n"), std::string::npos);
  EXPECT_NE(after.find("r.GTSyncType=1\r\n[Audio]\r\nVolume=\xE9\r\n"), std::string::npos);
  EXPECT_EQ(t->queryState(), TweakState::Applied);
  ASSERT_TRUE(t->revert());
  EXPECT_EQ(fileBytes(path), before);
  EXPECT_FALSE(fileExists(path + L".vx.bak"));
}

TEST_F(ConfigFileTweaks, UeWithoutLocalAppDataDoesNothing) {
  machine.unsetEnv(L"LOCALAPPDATA");
  const TweakPtr t = gameTweak(L"game.arc.engineini");
  EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  EXPECT_FALSE(t->apply());
  EXPECT_TRUE(t->revert());
  EXPECT_EQ(t->compatibilityNote(), L"Игра не запускалась ни разу: каталог конфига не создан.");
}

// --- files over the size limit ----------------------------------------------------------------------

TEST_F(ConfigFileTweaks, ConfigOverSixtyFourMebibytesIsLeftUntouchedWithItsNote) {
  struct Case {
    const wchar_t* id;
    std::function<std::wstring()> install;  // the config file the tweak edits
  };
  const Case cases[] = {
      {L"game.rust.visuals", [] { return test::installRust(L'D').clientCfg; }},
      {L"game.cs2.autoexec", [] { return putFile(test::installCs2UnderProgramFilesX86().cfgDir + L"\\autoexec.cfg"); }},
      {L"game.pubg.engineini",
       [] { return putFile(std::wstring(kLocal) + L"\\TslGame\\Saved\\Config\\WindowsNoEditor\\Engine.ini"); }},
  };
  constexpr std::uintmax_t kSize = 65ull << 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8Id(c.id));
    machine.reset();
    const std::wstring file = c.install();
    std::filesystem::resize_file(machine.hostPath(file), kSize);  // sparse: cheap to make
    const TweakPtr t = gameTweak(c.id);
    ASSERT_TRUE(t);
    const StatusText status = applyWithStatus(*t);
    EXPECT_EQ(status.text, t->title + L": файл слишком большой — не изменён");
    EXPECT_EQ(status.outcome, StatusOutcome::Failure);
    EXPECT_EQ(std::filesystem::file_size(machine.hostPath(file)), kSize);
    EXPECT_FALSE(fileExists(configBackupPath(file))) << "no backup copy either";
    EXPECT_EQ(t->queryState(), TweakState::NotApplied);
  }
}

}  // namespace
}  // namespace vx
