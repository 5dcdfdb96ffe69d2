// The game tweaks against real files and the real registry (Wine): discovery over a fake Steam
// library in the prefix, cfg / json / ini round trips that end byte-identical, the IFEO and
// AppCompat values, and a shader cache holding a link whose target must survive.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/text.h"
#include "games/config_file_tweaks.h"
#include "games/game_discovery.h"
#include "games/game_library_roots.h"
#include "games/general_game_tweaks.h"
#include "games/per_exe_tweaks.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/scene.h"
#include "platform/system.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;

std::wstring put(const std::wstring& path, const std::string& bytes) {
  createDirectories(path.substr(0, path.find_last_of(L'\\')));
  EXPECT_TRUE(writeFileBytes(path, bytes));
  return path;
}

bool exists(const std::wstring& path) { return fileStatus(path).kind != FileKind::Missing; }

// Points the variables discovery reads into a scratch folder for one test, and back afterwards.
class GameFilesWine : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = scene::scratchFolder();
    for (const wchar_t* name : kVariables) saved.push_back(environmentVariable(name));
    scene::setEnvironmentVariable(L"ProgramFiles(x86)", folder + L"\\PF86");
    scene::setEnvironmentVariable(L"ProgramFiles", folder + L"\\PF");
    scene::setEnvironmentVariable(L"LOCALAPPDATA", folder + L"\\Local");
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved.size(); ++i) scene::setEnvironmentVariable(kVariables[i], saved[i]);
  }

  static constexpr const wchar_t* kVariables[] = {L"ProgramFiles(x86)", L"ProgramFiles", L"LOCALAPPDATA"};
  std::vector<std::optional<std::wstring>> saved;
  std::wstring folder;
  GameDiscovery discovery{steadyNanoseconds};
};

TEST_F(GameFilesWine, DiscoveryFindsTheFirstLibrarysExecutableFourFoldersDeep) {
  const std::wstring first = folder + L"\\PF86\\Steam\\steamapps\\common";
  const std::wstring second = folder + L"\\PF\\Steam\\steamapps\\common";
  put(first + L"\\Deep\\a\\b\\c\\d\\e\\TslGame.exe", "MZ");
  const std::wstring cs2 = put(first + L"\\CS\\game\\bin\\win64\\CS2.EXE", "MZ");
  put(second + L"\\CS\\cs2.exe", "MZ");
  const std::wstring pubg = put(second + L"\\PUBG\\TslGame\\Binaries\\Win64\\TslGame.exe", "MZ");

  const auto roots = buildGameLibraryRoots();
  ASSERT_GE(roots.size(), 2u);
  EXPECT_EQ(roots[0], first);
  EXPECT_EQ(roots[1], second);
  EXPECT_EQ(discovery.findGameExecutable(L"cs2.exe"), cs2);
  EXPECT_EQ(discovery.findGameExecutable(L"TslGame.exe"), pubg);
  EXPECT_EQ(discovery.findGameExecutable(L"RustClient.exe"), L"");
}

constexpr TweakInfo kRustInfo{L"t.rust", L"t", L"d", TweakCategory::Games};
constexpr TweakInfo kRobloxInfo{L"t.roblox", L"t", L"d", TweakCategory::Games};
constexpr TweakInfo kArcInfo{L"t.arc", L"t", L"d", TweakCategory::Games};

TEST_F(GameFilesWine, ConfigTweaksRoundTripToTheOriginalBytes) {
  const std::string cfg = "\xEF\xBB\xBFgraphics.fov \"75\"\r\ninput.sensitivity \"0.4\"\nbind f1 \xE9";
  const std::wstring cfgPath = put(folder + L"\\Rust\\cfg\\client.cfg", cfg);
  CvarFileTweak rust(kRustInfo, L"wine.rust", {folder + L"\\none.cfg", cfgPath},
                     {{L"graphics.fov", L"\"90\""}, {L"graphics.fps", L"\"0\""}}, L"graphics.fov \"90\"", discovery);

  const std::string json = "{\n  \"FFlagMine\": \"true\"\n}";
  const std::wstring settings = folder + L"\\Roblox\\ClientSettings";
  const std::wstring jsonPath = put(settings + L"\\ClientAppSettings.json", json);
  WriteFileTweak roblox(kRobloxInfo, L"wine.roblox", {settings}, L"ClientAppSettings.json",
                        L"{\n  \"DFIntTaskSchedulerTargetFps\": 240\n}\n", L"DFIntTaskSchedulerTargetFps", L"",
                        discovery);

  const std::string ini = "[SystemSettings]\r\n r.MotionBlurQuality = 3\r\n\r\n[Audio]\r\nVolume=\xFF\r\n";
  const std::wstring iniPath = put(folder + L"\\Local\\Arc\\Saved\\Config\\WindowsClient\\Engine.ini", ini);
  UeEngineIniTweak arc(kArcInfo, iniPath,
                       {{L"SystemSettings", L"r.MotionBlurQuality", L"0"}, {L"New", L"k", L"v"}});

  struct Case {
    Tweak& tweak;
    std::wstring path;
    std::string original;
  };
  for (const Case& c : {Case{rust, cfgPath, cfg}, Case{roblox, jsonPath, json}, Case{arc, iniPath, ini}}) {
    SCOPED_TRACE(toUtf8(c.tweak.id));
    EXPECT_EQ(c.tweak.queryState(), TweakState::NotApplied);
    ASSERT_TRUE(c.tweak.apply());
    EXPECT_EQ(c.tweak.queryState(), TweakState::Applied);
    EXPECT_NE(readFileBytes(c.path), c.original);
    EXPECT_EQ(readFileBytes(c.path + L".vx.bak"), c.original);
    ASSERT_TRUE(c.tweak.revert());
    EXPECT_EQ(readFileBytes(c.path), c.original);
    EXPECT_FALSE(exists(c.path + L".vx.bak"));
    EXPECT_EQ(c.tweak.queryState(), TweakState::NotApplied);
  }
}

TEST_F(GameFilesWine, PerExecutableValuesLandInTheRegistry) {
  const std::wstring exe = L"vx-wine-test-game.exe";
  const std::wstring ifeo = std::wstring(kIfeoKey) + exe;
  const std::wstring path = put(folder + L"\\PF86\\Steam\\steamapps\\common\\G\\" + exe, "MZ");

  IfeoPriorityTweak priority(exe, L"t");
  ASSERT_TRUE(priority.apply());
  EXPECT_EQ(regReadDword(HKLM, ifeo + L"\\PerfOptions", L"CpuPriorityClass"), 3u);
  EXPECT_EQ(regReadDword(HKLM, ifeo + L"\\PerfOptions", L"IoPriority"), 3u);
  EXPECT_EQ(priority.queryState(), TweakState::Applied);
  ASSERT_TRUE(priority.revert());
  EXPECT_FALSE(regReadDword(HKLM, ifeo + L"\\PerfOptions", L"IoPriority").has_value());

  GameMitigationsTweak mitigations(exe, L"G");
  ASSERT_TRUE(mitigations.apply());
  const auto raw = regReadRaw(HKLM, ifeo, L"MitigationOptions");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, kRegTypeBinary);
  EXPECT_EQ(raw->data.size(), 16u);
  EXPECT_EQ(mitigations.queryState(), TweakState::Applied);
  ASSERT_TRUE(mitigations.revert());
  EXPECT_FALSE(regReadRaw(HKLM, ifeo, L"MitigationOptions").has_value());
  scene::deleteKeyTree(HKLM, ifeo);

  PerExeDisableFsoTweak fso(exe, L"t", discovery);
  ASSERT_TRUE(fso.apply());
  EXPECT_EQ(regReadString(HKCU, kAppCompatLayersKey, path), L"~ DISABLEDXMAXIMIZEDWINDOWEDMODE HIGHDPIAWARE");
  EXPECT_EQ(fso.queryState(), TweakState::Applied);
  ASSERT_TRUE(fso.revert());
  EXPECT_FALSE(regReadString(HKCU, kAppCompatLayersKey, path).has_value());
}

TEST_F(GameFilesWine, ShaderCacheClearingSparesALinksTarget) {
  const std::wstring cache = folder + L"\\Local\\D3DSCache";
  const std::wstring shader = put(cache + L"\\a\\shader.bin", "x");
  const std::wstring kept = put(folder + L"\\Saves\\save.dat", "precious");
  if (!scene::makeDirectoryLink(cache + L"\\link", folder + L"\\Saves")) GTEST_SKIP() << "no directory links here";
  ASSERT_TRUE(fileStatus(cache + L"\\link").isLink);

  ClearShaderCacheTweak t;
  ASSERT_TRUE(t.apply());
  EXPECT_FALSE(exists(shader));
  EXPECT_TRUE(exists(cache + L"\\a"));
  EXPECT_EQ(readFileBytes(kept), "precious");
  EXPECT_TRUE(exists(cache + L"\\link"));
}

}  // namespace
}  // namespace vx
