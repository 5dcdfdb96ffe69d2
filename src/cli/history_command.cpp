// vxctl history [N]: the newest N runs of the change journal (10 without N), newest first, each
// "#<run> <date time> <label>" with one line per tweak under it.
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "core/change_journal.h"
#include "cli/whole_number.h"
#include "core/journal_history.h"

namespace vx::cli {

namespace {

int runHistory(const std::vector<std::wstring>& args) {
  if (args.size() > 1) return usageError(L"history: лишние параметры");
  std::size_t count = kDefaultHistoryRuns;
  if (!args.empty()) {
    const auto given = positiveNumber(args[0]);
    if (!given) return usageError(L"history: N — целое число больше нуля");
    count = *given;
  }
  const auto lines = readJournal();
  if (lines.empty()) {
    printLine(L"Журнал изменений пуст");
    return kExitOk;
  }
  for (const auto& line : historyLines(lines, catalog(), count)) printLine(line);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::History, L"history", L"vxctl history [N]",
                              L"последние N запусков из журнала изменений (по умолчанию 10)", runHistory}};

}  // namespace

}  // namespace vx::cli
