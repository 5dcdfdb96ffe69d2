// vxctl games: for each supported game, the executable and the config paths that game discovery
// finds, or "не найдено", so a user can see why a game card is unavailable.
#include "cli/cli_command.h"
#include "games/game_install_report.h"

namespace vx::cli {

namespace {

std::wstring shown(const std::wstring& path, const std::wstring& expected) {
  if (!path.empty()) return path;
  if (!expected.empty()) return L"не найдено (ожидается " + expected + L")";
  return L"не найдено";
}

int runGames(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"games не принимает аргументов");
  for (const GameInstall& game : gameInstallReport()) {
    printLine(game.name);
    printLine(L"  " + game.exeName + L": " + shown(game.exePath, {}));
    for (const GameConfigLocation& config : game.configs)
      printLine(L"  " + config.label + L": " + shown(config.path, config.expected));
  }
  return kExitOk;
}

const CliRegistrar registrar{
    {CliPlace::Games, L"games", L"vxctl games", L"где найдены игры и их файлы настроек", runGames}};

}  // namespace

}  // namespace vx::cli
