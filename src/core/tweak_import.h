// Importing a kept tweak set: what each id of the file would do on this machine now (the dry run
// and the window's confirmation), then one applyBatch labelled "import" for the tweaks that are not
// Applied yet, and the outcome. Called by vxctl import and the journal page's "Загрузить набор" job.
#pragma once
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/tweak.h"
#include "core/tweak_set_file.h"

namespace vx {

inline constexpr const wchar_t* kImportLabel = L"import";

enum class ImportStep { Apply, AlreadyApplied, Unavailable, Unknown };

struct ImportLine {
  std::wstring id;
  TweakPtr tweak;     // null for an unknown id
  ImportStep step = ImportStep::Unknown;
  std::wstring note;  // why an Unavailable tweak is (its compatibility note)
};

struct ImportPlan {
  std::vector<ImportLine> lines;  // one per distinct id of the file, in file order
  // The tweaks to apply, in file order.
  std::vector<TweakPtr> batch() const;
  // Known ids in the file: the count the exit status and the confirmation speak of.
  int knownCount() const;
};

// Queries every known tweak of the file now; a repeated id is planned once.
ImportPlan planImport(const TweakCatalog& catalog, const std::vector<std::wstring>& ids);

// "будет применён", "уже применён", "недоступен: <note>", "неизвестный id — пропущен".
std::wstring importStepText(const ImportLine& line);
// The dry run's line for vxctl: "id<TAB>title<TAB>what" (an unknown id has no title).
std::wstring importDryRunLine(const ImportLine& line);

struct ImportOutcome {
  ApplyResult batch;      // what applyBatch reported; untouched when the batch was empty
  int appliedNow = 0;     // batch tweaks that read Applied afterwards
  int alreadyApplied = 0;
  int notApplied = 0;     // known tweaks that are not Applied afterwards, Unavailable ones included
  bool busy = false;      // another Vantorix process held the change lock: nothing was run
  // Every known tweak of the file was applied now or already Applied.
  bool complete() const { return !busy && notApplied == 0; }
};

// Takes the change lock (waiting up to kChangeLockWaitMs), applies the plan's batch as one run with
// one safety net, then reads every known tweak again.
ImportOutcome runImport(const ImportPlan& plan);

// The result line: "Импорт: применено N, уже было M, не применено K" and the backup note.
std::wstring importResultText(const ImportOutcome& outcome);

}  // namespace vx
