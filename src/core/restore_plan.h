// "Вернуть как было": putting back the exact values a journalled step replaced, for one tweak (its
// most recent successful apply) or for every step of one run (newest line first). A plan is read
// from the journal and the system and changes nothing (vxctl restore --dry-run prints it);
// carryOutRestore performs it as a journal run of its own. Called by vxctl restore and the
// window's journal page.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/change_journal.h"
#include "core/tweak.h"

namespace vx {

inline constexpr const wchar_t* kChangedSinceText = L"изменено после Vantorix — пропущено";
inline constexpr const wchar_t* kNotRestorableText = L"не восстанавливается — используйте откат";

enum class RestoreStepAction : int {
  PutBack = 0,       // holds what Vantorix wrote: the earlier value is written (or deleted again)
  AlreadyBack = 1,   // already holds the earlier value: nothing to do
  ChangedSince = 2,  // holds something else now (the user or Windows changed it): left alone
  Forced = 3,        // changed since, and --force: the earlier value is written all the same
  Unreadable = 4,    // cannot be read now: left alone
};

struct RestoreStep {
  JournalValue value;                // before = what to put back, after = what Vantorix wrote
  std::optional<RegValueImage> now;  // read when planned
  RestoreStepAction action = RestoreStepAction::PutBack;
};

struct RestoreItem {
  std::wstring id;
  std::wstring title;       // the catalogue's title, or the id for a tweak no longer in it
  TweakPtr tweak;           // null for a tweak no longer in the catalogue
  std::int64_t fromRun = 0;  // the run of the journalled step being undone
  JournalAction undoes = JournalAction::Apply;
  // False when the step journalled no value that can be read back (files, commands only).
  bool restorable = true;
  std::vector<RestoreStep> steps;  // one per journalled value with a before and an after
};

struct RestorePlan {
  std::wstring label;  // "restore_" + id or "restore_run_" + N: the label of its journal run
  bool force = false;
  std::vector<RestoreItem> items;
};

// The plan for the most recent successful apply of the id; nothing when the journal holds none.
std::optional<RestorePlan> planTweakRestore(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                            const std::wstring& id, bool force);

// The plan for every successful step of run N, newest line first; nothing for a run the journal
// does not hold.
std::optional<RestorePlan> planRunRestore(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                          std::int64_t run, bool force);

// The plan as text (what the dry run prints): per item "<id> — <title>", then one line per step,
// the preview's line of the value from now to the earlier value, followed by
// " — изменено после Vantorix — пропущено", " — уже как было", " — не читается — пропущено" or
// " — принудительно" where it applies; "  не восстанавливается — используйте откат" for an item
// without values.
std::vector<std::wstring> restorePlanLines(const RestorePlan& plan);

struct RestoreReport {
  std::vector<std::wstring> lines;  // what was done, in the plan's format
  int written = 0;   // values put back
  int failed = 0;    // writes that failed, and aggressive items whose safety net failed
  int skipped = 0;   // values left alone (changed since, unreadable) and items not restorable
  bool busy = false;  // another Vantorix process held the change lock: nothing was done
  bool succeeded() const { return !busy && failed == 0 && skipped == 0; }
};

// Carries out the plan under the change lock (waiting up to kChangeLockWaitMs): a safety net
// first when an item's tweak is aggressive (its keys as before an apply; an item whose keys were
// not saved is not restored), then every step again checked against the value now, as one journal
// run labelled plan.label whose lines have the action "restore". Clears the tweak state cache.
RestoreReport carryOutRestore(const RestorePlan& plan);

// The status line after a restore: "Восстановлено значений: N" with ", пропущено: N" and
// ", ошибок: N" where they are not zero, or the busy message.
std::wstring restoreStatusText(const RestoreReport& report);

}  // namespace vx
