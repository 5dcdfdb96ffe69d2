// The background jobs' engine calls and the texts and flags they report to the window: category
// apply and revert, the selected tweaks, a recommendation, a profile; and the grey status texts
// shown when each job starts. The texts are pure functions of the engine's results. Called on the
// job thread (ui/jobs) and by vxctl.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/tweak.h"

namespace vx {

struct JobResult {
  std::wstring text;
  bool succeeded = false;
  bool needsReboot = false;
  bool clearSelection = false;
  // A card's job: the tweak's state read after the apply, so the card shows it at once.
  std::optional<TweakState> tweakState;
  bool operator==(const JobResult&) const = default;
};

// "  •  Бэкап создан" when the backups succeeded, then "  •  Точка восстановления готова" when a
// restore point was made.
std::wstring backupNote(const ApplyResult& result);

JobResult categoryJobResult(const CategoryRunCounts& counts, bool revert);
// applied = tweaks Applied after the batch, total = selected tweaks found in the catalogue.
JobResult selectedJobResult(int applied, int total, bool needsReboot, const ApplyResult& batch);
JobResult recommendationJobResult(const ApplyResult& batch, bool needsReboot);
JobResult profileJobResult(const std::wstring& profileName, int applied, int total, bool needsReboot,
                           const ApplyResult& batch);

// Run the engine call of each job, then count and build the result. Each first waits up to
// kChangeLockWaitMs for the change lock and otherwise reports kAnotherCopyBusyMessage.
JobResult runCategoryJob(const TweakCatalog& catalog, TweakCategory category, bool revert);
JobResult runSelectedJob(const std::vector<TweakPtr>& selected);
JobResult runRecommendationJob(const std::vector<TweakPtr>& tweaks);
JobResult runProfileJob(const std::vector<TweakPtr>& profile, const std::wstring& profileName);

// Status texts set when a job starts.
std::wstring categoryJobStartText(bool revert);
std::wstring selectedJobStartText(std::size_t count);
std::wstring recommendationJobStartText();
std::wstring profileJobStartText(const std::wstring& profileName, std::size_t count);

}  // namespace vx
