// vxctl games [--json]: for each supported game, the executable and the config paths that game
// discovery finds, or "не найдено", so a user can see why a game card is unavailable.
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "games/game_install_report.h"

namespace vx::cli {

namespace {

std::wstring shown(const std::wstring& path, const std::wstring& expected) {
  if (!path.empty()) return path;
  if (!expected.empty()) return L"не найдено (ожидается " + expected + L")";
  return L"не найдено";
}

// A path that was not found is null.
Json pathOrNull(const std::wstring& path) { return path.empty() ? Json() : Json(jsonText(path)); }

Json gamesJson(const std::vector<GameInstall>& games) {
  Json rows = Json::array();
  for (const GameInstall& game : games) {
    Json configs = Json::array();
    for (const GameConfigLocation& config : game.configs)
      configs.push_back({{"label", jsonText(config.label)}, {"path", pathOrNull(config.path)},
                         {"expected", jsonText(config.expected)}});
    rows.push_back({{"name", jsonText(game.name)}, {"exe", jsonText(game.exeName)},
                    {"exePath", pathOrNull(game.exePath)}, {"configs", configs}});
  }
  return Json{{"games", rows}};
}

int runGames(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (!args.empty()) return usageError(L"games принимает только --json");
  const std::vector<GameInstall> games = gameInstallReport();
  if (json) {
    printJson(gamesJson(games));
    return kExitOk;
  }
  for (const GameInstall& game : games) {
    printLine(game.name);
    printLine(L"  " + game.exeName + L": " + shown(game.exePath, {}));
    for (const GameConfigLocation& config : game.configs)
      printLine(L"  " + config.label + L": " + shown(config.path, config.expected));
  }
  return kExitOk;
}

const CliRegistrar registrar{
    {CliPlace::Games, L"games", L"vxctl games [--json]", L"где найдены игры и их файлы настроек", runGames}};

}  // namespace

}  // namespace vx::cli
