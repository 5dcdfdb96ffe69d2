// What discovery finds for each supported game: the executable and the config files or folders
// the game tweaks would edit. vxctl games prints it, so a user can see why a card is unavailable.
#pragma once
#include <string>
#include <vector>

#include "games/game_discovery.h"

namespace vx {

struct GameConfigLocation {
  std::wstring label;     // "client.cfg", "Engine.ini", ...
  std::wstring path;      // empty when nothing was found
  std::wstring expected;  // for a fixed path that does not exist yet: where it would be
};

struct GameInstall {
  std::wstring name;
  std::wstring exeName;
  std::wstring exePath;  // empty when not found
  std::vector<GameConfigLocation> configs;
};

// The five games in catalogue order.
std::vector<GameInstall> gameInstallReport(GameDiscovery& discovery = gameDiscovery());

}  // namespace vx
