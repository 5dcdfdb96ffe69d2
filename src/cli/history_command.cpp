// vxctl history [N]: the newest N runs of the change journal (10 without N), newest first, each
// "#<run> <date time> <label>" with one line per tweak under it; --json: {"runs": [{"run", "time",
// "label", "tweaks": [{"id", "title", "action", "result", "text"}]}]}.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "core/catalog.h"
#include "core/change_journal.h"
#include "cli/whole_number.h"
#include "core/journal_history.h"

namespace vx::cli {

namespace {

Json historyJson(const std::vector<JournalLine>& lines, std::size_t count) {
  Json runs = Json::array();
  for (const JournalRunView& run : journalRuns(lines)) {
    if (runs.size() >= count) break;
    Json tweaks = Json::array();
    for (const JournalLine& line : run.lines) {
      const auto tweak = findById(catalog(), line.id);
      tweaks.push_back({{"id", jsonText(line.id)},
                        {"title", jsonText(tweak ? tweak->title : line.id)},
                        {"action", journalActionName(line.action)},
                        {"result", journalResultName(line.result)},
                        {"text", jsonText(journalResultText(line.action, line.result))}});
    }
    runs.push_back({{"run", run.run}, {"time", jsonText(run.time)}, {"label", jsonText(run.label)}, {"tweaks", tweaks}});
  }
  return Json{{"runs", runs}};
}

int runHistory(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (args.size() > 1) return usageError(L"history: лишние параметры");
  std::size_t count = kDefaultHistoryRuns;
  if (!args.empty()) {
    const auto given = positiveNumber(args[0]);
    if (!given) return usageError(L"history: N — целое число больше нуля");
    count = *given;
  }
  const auto lines = readJournal();
  if (json) {
    printJson(historyJson(lines, count));
    return kExitOk;
  }
  if (lines.empty()) {
    printLine(L"Журнал изменений пуст");
    return kExitOk;
  }
  for (const auto& line : historyLines(lines, catalog(), count)) printLine(line);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::History, L"history", L"vxctl history [N] [--json]",
                              L"последние N запусков из журнала изменений (по умолчанию 10)", runHistory}};

}  // namespace

}  // namespace vx::cli
