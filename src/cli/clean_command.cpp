// vxctl clean temp|dns|bin|explorer: one maintenance action, reported with the same text the
// window shows; exit 0 when it succeeded, 1 when not.
#include <string>

#include "cli/cli_command.h"
#include "services/cleanup_job.h"

namespace vx::cli {

namespace {

struct ActionWord {
  const wchar_t* word;
  CleanupAction action;
};
constexpr ActionWord kActionWords[] = {
    {L"temp", CleanupAction::TempFiles},
    {L"dns", CleanupAction::DnsCache},
    {L"bin", CleanupAction::RecycleBin},
    {L"explorer", CleanupAction::Explorer},
};

int runClean(const std::vector<std::wstring>& args) {
  if (args.size() != 1) return usageError(L"clean ждёт одно действие: temp, dns, bin или explorer");
  for (const ActionWord& word : kActionWords) {
    if (args[0] != word.word) continue;
    const JobResult result = runCleanupAction(word.action);
    printLine(result.text);
    return result.succeeded ? kExitOk : kExitFailed;
  }
  return usageError(L"неизвестное действие «" + args[0] + L"»");
}

const CliRegistrar registrar{{CliPlace::Clean, L"clean", L"vxctl clean temp|dns|bin|explorer",
                              L"очистка: временные файлы, DNS-кэш, корзина, перезапуск Explorer", runClean}};

}  // namespace

}  // namespace vx::cli
