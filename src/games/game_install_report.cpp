#include "games/game_install_report.h"

#include "games/game_config_paths.h"
#include "games/supported_games.h"
#include "platform/files.h"

namespace vx {

namespace {

// A fixed path is reported when it exists, otherwise as the place where it would be.
GameConfigLocation fixedLocation(const std::wstring& label, const std::wstring& path) {
  if (!path.empty() && fileStatus(path).kind != FileKind::Missing) return {label, path, {}};
  return {label, {}, path};
}

std::vector<GameConfigLocation> configsOf(const std::wstring& exeName, GameDiscovery& discovery) {
  if (exeName == L"RustClient.exe")
    return {{L"client.cfg", discovery.firstExistingPath(L"rust.client.cfg", rustClientCfgCandidates()), {}}};
  if (exeName == L"cs2.exe")
    return {{L"cfg", discovery.firstExistingPath(L"cs2.cfg.dir", cs2CfgDirCandidates()), {}}};
  if (exeName == L"RobloxPlayerBeta.exe") {
    const std::wstring found = discovery.firstExistingPath(L"roblox.clientsettings", robloxClientSettingsCandidates());
    return {{L"ClientSettings", found, found.empty() ? robloxNewestClientSettings() : std::wstring()}};
  }
  if (exeName == L"ARC-Win64-Shipping.exe")
    return {fixedLocation(L"Engine.ini", ueConfigPath(L"Arc", L"WindowsClient", L"Engine.ini"))};
  return {fixedLocation(L"Engine.ini", ueConfigPath(L"TslGame", L"WindowsNoEditor", L"Engine.ini")),
          fixedLocation(L"GameUserSettings.ini", ueConfigPath(L"TslGame", L"WindowsNoEditor", L"GameUserSettings.ini"))};
}

}  // namespace

std::vector<GameInstall> gameInstallReport(GameDiscovery& discovery) {
  std::vector<GameInstall> games;
  for (const SupportedGame& g : supportedGames())
    games.push_back({g.name, g.exeName, discovery.findGameExecutable(g.exeName), configsOf(g.exeName, discovery)});
  return games;
}

}  // namespace vx
