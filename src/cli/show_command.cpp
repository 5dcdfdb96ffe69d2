// vxctl show ID [--revert]: the tweak's title and, one line each, what applying (or reverting) it
// would change on this PC, with the value now and the value afterwards; --json: {"id", "title",
// "changes": [the same lines]}. Changes nothing.
#include "cli/cli_command.h"
#include "core/change_preview.h"
#include "core/tweak.h"
#include "cli/cli_catalog.h"
#include "cli/json_output.h"

namespace vx::cli {

namespace {

int runShow(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  std::vector<std::wstring> ids;
  bool revert = false;
  for (const auto& arg : args) {
    if (arg == L"--revert")
      revert = true;
    else if (!arg.empty() && arg[0] == L'-')
      return usageError(L"неизвестный параметр «" + arg + L"»");
    else
      ids.push_back(arg);
  }
  if (ids.size() != 1) return usageError(L"show: нужен один ID твика");
  const auto tweaks = tweaksByIds(ids);
  if (!tweaks) return kExitUsage;
  Tweak& tweak = *tweaks->front();
  TweakChanges changes;
  try {
    changes = tweak.changes();
  } catch (...) {
    printError(tweak.title + L": не удалось прочитать, что изменит твик");
    return kExitFailed;
  }
  if (json) {
    Json lines = Json::array();
    if (!changes.empty()) {
      const CurrentValues current = readCurrentValues(changes);
      for (const auto& line : previewLines(changes, revert, &current)) lines.push_back(jsonText(line));
    }
    printJson(Json{{"id", jsonText(tweak.id)}, {"title", jsonText(tweak.title)}, {"changes", lines}});
    return kExitOk;
  }
  printLine(tweak.title);
  if (changes.empty()) {
    printLine(L"  изменения твика не описаны");
    return kExitOk;
  }
  const CurrentValues current = readCurrentValues(changes);
  for (const auto& line : previewLines(changes, revert, &current)) printLine(L"  " + line);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Show, L"show", L"vxctl show ID [--revert] [--json]",
                              L"показать, что изменит применение (или откат) твика", runShow}};

}  // namespace

}  // namespace vx::cli
