#include "games/game_groups.h"

#include <memory>

#include "core/group_rows.h"
#include "games/config_file_tweaks.h"
#include "games/game_config_paths.h"
#include "games/general_game_tweaks.h"
#include "games/per_exe_tweaks.h"
#include "games/supported_games.h"

namespace vx {

namespace {

const std::vector<CvarSetting> kRustSettings = {
    {L"graphics.dof", L"\"False\""},       {L"graphics.motionblur", L"\"False\""}, {L"graphics.vignet", L"\"False\""},
    {L"graphics.bloom", L"\"False\""},     {L"graphics.aa", L"\"True\""},          {L"graphics.sharpen", L"\"0.5\""},
    {L"graphics.tonemapping", L"\"True\""}, {L"graphics.fov", L"\"90\""},          {L"graphics.fps", L"\"0\""},
    {L"client.softshadows", L"\"False\""},
};

constexpr const wchar_t* kCs2Autoexec =
    L"// Vantorix autoexec\n"
    L"fps_max 0\n"
    L"fps_max_ui 0\n"
    L"engine_no_focus_sleep 0\n"
    L"cl_disable_ragdolls 1\n"
    L"cl_forcepreload 1\n"
    L"mat_queue_mode 2\n"
    L"r_dynamic 0\n"
    L"r_eyegloss 0\n"
    L"snd_mixahead 0.025\n"
    L"echo \"Vantorix autoexec loaded\"\n"
    L"host_writeconfig\n";

constexpr const wchar_t* kRobloxFlags =
    L"{\n"
    L"  \"DFIntTaskSchedulerTargetFps\": 240,\n"
    L"  \"DFFlagDebugDisableTelemetryEphemeralCounter\": \"true\",\n"
    L"  \"DFFlagDebugDisableTelemetryPoint\": \"true\",\n"
    L"  \"DFFlagDebugDisableTelemetryV2Counter\": \"true\",\n"
    L"  \"DFFlagDebugDisableTelemetryV2Event\": \"true\",\n"
    L"  \"DFFlagDebugDisableTelemetryV2Stat\": \"true\",\n"
    L"  \"FFlagFastGPULightCulling3\": \"true\",\n"
    L"  \"FFlagDebugGraphicsPreferD3D11\": \"true\",\n"
    L"  \"FFlagDisablePostFx\": \"false\",\n"
    L"  \"FFlagRenderEnableGlobalInstancing3\": \"true\",\n"
    L"  \"FIntRenderShadowIntensity\": 0\n"
    L"}\n";

constexpr const wchar_t* kSystemSettings = L"SystemSettings";

const std::vector<IniSetting> kArcEngine = {
    {kSystemSettings, L"r.MotionBlurQuality", L"0"},
    {kSystemSettings, L"r.MotionBlur.Max", L"0"},
    {kSystemSettings, L"r.DepthOfFieldQuality", L"0"},
    {kSystemSettings, L"r.SceneColorFringeQuality", L"0"},
    {kSystemSettings, L"r.LensFlareQuality", L"0"},
    {kSystemSettings, L"r.Tonemapper.GrainQuantization", L"0"},
    {kSystemSettings, L"r.Tonemapper.Sharpen", L"0.5"},
    {kSystemSettings, L"r.AmbientOcclusionLevels", L"0"},
    {kSystemSettings, L"r.ScreenPercentage", L"100"},
    {kSystemSettings, L"r.PostProcessAAQuality", L"4"},
    {kSystemSettings, L"r.MaxAnisotropy", L"16"},
    {kSystemSettings, L"r.RHICmdBypass", L"0"},
    {kSystemSettings, L"r.OneFrameThreadLag", L"0"},
    {kSystemSettings, L"r.GTSyncType", L"1"},
};

const std::vector<IniSetting> kPubgEngine = {
    {kSystemSettings, L"r.MotionBlurQuality", L"0"},
    {kSystemSettings, L"r.DepthOfFieldQuality", L"0"},
    {kSystemSettings, L"r.SceneColorFringeQuality", L"0"},
    {kSystemSettings, L"r.LensFlareQuality", L"0"},
    {kSystemSettings, L"r.Tonemapper.Sharpen", L"0.5"},
    {kSystemSettings, L"r.MaxAnisotropy", L"16"},
    {kSystemSettings, L"r.OneFrameThreadLag", L"0"},
    {kSystemSettings, L"r.RHICmdBypass", L"0"},
    {kSystemSettings, L"r.GTSyncType", L"1"},
    {L"/script/engine.engine", L"bSmoothFrameRate", L"false"},
    {L"/script/engine.engine", L"MaxClientSmoothedFrameRate", L"288"},
};

const std::vector<IniSetting> kPubgUserSettings = {
    {L"/Script/Engine.GameUserSettings", L"FullscreenMode", L"0"},
    {L"/Script/Engine.GameUserSettings", L"PreferredFullscreenMode", L"0"},
    {L"/Script/Engine.GameUserSettings", L"bUseVSync", L"False"},
    {L"/Script/Engine.GameUserSettings", L"FrameRateLimit", L"288.000000"},
};

// --- the row headers of the config-file tweaks ---

constexpr TweakInfo kRustVisualsInfo{
    L"game.rust.visuals", L"Rust: плавная картинка (motion blur off, sharpening, fps unlock)",
    L"Отключает motion blur, depth of field, vignette. Уменьшает chromatic aberration. Снимает лимит FPS, повышает "
    L"резкость.",
    TweakCategory::Games};
constexpr TweakInfo kCs2AutoexecInfo{
    L"game.cs2.autoexec", L"CS2: autoexec.cfg для плавности и низкой задержки",
    L"Создаёт autoexec.cfg с fps_max 0, low-latency параметрами и оптимизированной очередью драйвера. Не меняет "
    L"sensitivity и геймплейные настройки.",
    TweakCategory::Games};
constexpr TweakInfo kRobloxFlagsInfo{
    L"game.roblox.fflags", L"Roblox: разблокировать FPS + плавность (FastFlags)",
    L"Прописывает FastFlags в ClientAppSettings.json: снимает 60 FPS лимит, форсит D3D11, отключает фоновую "
    L"телеметрию и тяжёлые тени.",
    TweakCategory::Games};
constexpr TweakInfo kArcEngineInfo{
    L"game.arc.engineini", L"Arc Raiders: Engine.ini оптимизация (UE5)",
    L"Отключает motion blur, depth of field, chromatic aberration. Принудительно ставит OneFrameThreadLag=0 для "
    L"снижения input lag. Создаёт .bak копию.",
    TweakCategory::Games};
constexpr TweakInfo kPubgEngineInfo{L"game.pubg.engineini", L"PUBG: Engine.ini для плавности (UE4)",
                                    L"Отключает motion blur и vignette UE4, ставит OneFrameThreadLag=0, MaxFPS=288.",
                                    TweakCategory::Games};
constexpr TweakInfo kPubgUserSettingsInfo{
    L"game.pubg.gameusersettings", L"PUBG: принудительно fullscreen вместо borderless",
    L"FullscreenMode=0, PreferredFullscreenMode=0. Снижает input lag по сравнению с borderless windowed.",
    TweakCategory::Games};

}  // namespace

void appendPerGameGroup(TweakCatalog& catalog, GameDiscovery& discovery) {
  for (const SupportedGame& g : supportedGames()) catalog.push_back(std::make_shared<IfeoPriorityTweak>(g.exeName, g.name));
  for (const SupportedGame& g : supportedGames())
    catalog.push_back(std::make_shared<PerExeDisableFsoTweak>(g.exeName, g.name, discovery));

  catalog.push_back(std::make_shared<CvarFileTweak>(kRustVisualsInfo, L"rust.client.cfg", rustClientCfgCandidates(),
                                                    kRustSettings, L"graphics.dof \"False\"", discovery));
  catalog.push_back(std::make_shared<WriteFileTweak>(kCs2AutoexecInfo, L"cs2.cfg.dir", cs2CfgDirCandidates(),
                                                     L"autoexec.cfg", kCs2Autoexec, L"// Vantorix autoexec", L"",
                                                     discovery));
  // A freshly installed Roblox has no ClientSettings folder yet: the newest version's is used then.
  catalog.push_back(std::make_shared<WriteFileTweak>(kRobloxFlagsInfo, L"roblox.clientsettings",
                                                     robloxClientSettingsCandidates(), L"ClientAppSettings.json",
                                                     kRobloxFlags, L"DFIntTaskSchedulerTargetFps",
                                                     robloxNewestClientSettings(), discovery));
  catalog.push_back(std::make_shared<UeEngineIniTweak>(kArcEngineInfo, ueConfigPath(L"Arc", L"WindowsClient", L"Engine.ini"),
                                                       kArcEngine));
  catalog.push_back(std::make_shared<UeEngineIniTweak>(
      kPubgEngineInfo, ueConfigPath(L"TslGame", L"WindowsNoEditor", L"Engine.ini"), kPubgEngine));
  catalog.push_back(std::make_shared<UeEngineIniTweak>(
      kPubgUserSettingsInfo, ueConfigPath(L"TslGame", L"WindowsNoEditor", L"GameUserSettings.ini"), kPubgUserSettings));
  catalog.push_back(std::make_shared<OpenColorSettingsTweak>());
}

void appendGeneralGameGroup(TweakCatalog& catalog) {
  static constexpr GroupRow kRows[] = {
      {&kGameBarRow}, {.make = makeTweak<NvDisableUlpsTweak>}, {&kMouseRow}, {.make = makeTweak<ClearShaderCacheTweak>}};
  appendRows(catalog, kRows);
  for (const SupportedGame& g : supportedGames())
    if (g.mitigations) catalog.push_back(std::make_shared<GameMitigationsTweak>(g.exeName, g.name));
}

}  // namespace vx
