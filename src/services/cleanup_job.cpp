#include "services/cleanup_job.h"

#include "base/number_format.h"
#include "services/shell_actions.h"

namespace vx {

namespace {

JobResult outcome(bool succeeded, const wchar_t* success, const wchar_t* failure) {
  JobResult result;
  result.text = succeeded ? success : failure;
  result.succeeded = succeeded;
  return result;
}

}  // namespace

std::wstring cleanupProgressText(CleanupAction action) {
  switch (action) {
    case CleanupAction::TempFiles: return L"Очищаю временные файлы...";
    case CleanupAction::DnsCache: return L"Сбрасываю DNS-кэш...";
    case CleanupAction::RecycleBin: return L"Очищаю корзину...";
    case CleanupAction::Explorer: return L"Перезапускаю Explorer...";
  }
  return {};
}

JobResult tempCleanupJobResult(const CleanupResult& result) {
  JobResult job;
  job.text = L"Удалено файлов: " + formatGrouped(result.filesDeleted) + L", освобождено: " +
             formatGrouped(result.megabytesFreed) + L" МБ";
  job.succeeded = !(result.failedDeletions > 0 && result.filesDeleted == 0);
  return job;
}

JobResult dnsFlushJobResult(bool flushed) { return outcome(flushed, L"DNS-кэш сброшен", L"Не удалось сбросить DNS"); }

JobResult recycleBinJobResult(bool emptied) {
  return outcome(emptied, L"Корзина очищена", L"Корзина пуста или недоступна");
}

JobResult explorerRestartJobResult(bool restarted) {
  return outcome(restarted, L"Explorer перезапущен", L"Не удалось перезапустить Explorer");
}

JobResult runCleanupAction(CleanupAction action) {
  switch (action) {
    case CleanupAction::TempFiles: return tempCleanupJobResult(cleanTempFiles());
    case CleanupAction::DnsCache: return dnsFlushJobResult(flushDnsCache());
    case CleanupAction::RecycleBin: return recycleBinJobResult(emptyRecycleBin());
    case CleanupAction::Explorer: return explorerRestartJobResult(restartExplorer());
  }
  return {};
}

}  // namespace vx
