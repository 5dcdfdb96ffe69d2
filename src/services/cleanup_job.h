// The cleanup job's four actions (0 temporary files, 1 DNS cache, 2 recycle bin, 3 Explorer
// restart) with their progress texts and their result texts and success flags. The window's
// cleanup job and vxctl clean call these; the texts are pure functions of the actions' results.
#pragma once
#include <string>

#include "core/job_results.h"
#include "services/temp_cleanup.h"

namespace vx {

enum class CleanupAction { TempFiles = 0, DnsCache = 1, RecycleBin = 2, Explorer = 3 };

// The grey text shown while the action runs ("Очищаю временные файлы...").
std::wstring cleanupProgressText(CleanupAction action);

// "Удалено файлов: N, освобождено: M МБ" in either case; failed only when nothing was deleted
// and some deletion failed.
JobResult tempCleanupJobResult(const CleanupResult& result);
JobResult dnsFlushJobResult(bool flushed);
JobResult recycleBinJobResult(bool emptied);
JobResult explorerRestartJobResult(bool restarted);

// Runs the action and builds its result (never a reboot, never clears the selection).
JobResult runCleanupAction(CleanupAction action);

}  // namespace vx
