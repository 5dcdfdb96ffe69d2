// Recording tweak steps in the change journal as one run per user action. The engine opens a
// JournalRun for each action (a card, a batch, a profile, a category, a restore); a caller that
// runs several engine calls as one action (an import, say) opens its own first and the engine's
// runs join it. JournalStep wraps one apply / revert call: it reads the described values before
// and after and appends the line. Every append holds the change lock (change_guard.h).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/change_journal.h"
#include "core/tweak.h"

namespace vx {

class JournalRun {
 public:
  // Opens a run labelled `label` on this thread, or joins the run already open on it (the outer
  // run's label and number are kept).
  explicit JournalRun(std::wstring label);
  ~JournalRun();
  JournalRun(const JournalRun&) = delete;
  JournalRun& operator=(const JournalRun&) = delete;

  // The outermost run open on this thread; nullptr outside any.
  static JournalRun* current();

  // Appends one line of this run at the end of the journal, whole in one write, under the change
  // lock (waiting up to kChangeLockWaitMs when this thread does not hold it yet). The run's number
  // is taken with its first line: one more than the highest in the journal. Then the journal is
  // trimmed to kJournalFileLimit. False when nothing was written (no private folder, the lock or
  // the write failed); the step itself is never undone for that.
  bool append(const std::wstring& id, JournalAction action, JournalResult result, std::vector<JournalValue> values);

  const std::wstring& label() const;
  // 0 until the first line is written.
  std::int64_t number() const;

 private:
  JournalRun* outer_ = nullptr;  // the run this one joined, or nullptr
  std::wstring label_;
  std::int64_t number_ = 0;
};

// One apply or revert as the journal sees it: constructed right before the call (reads changes()
// and the values now), finish() right after it (reads them back and appends the line to the run
// open on this thread, or to a run of its own labelled action + "_" + id when none is open).
// A tweak whose changes() throws is journalled without values.
class JournalStep {
 public:
  JournalStep(Tweak& tweak, JournalAction action);
  void finish(bool succeeded);

 private:
  Tweak& tweak_;
  JournalAction action_;
  TweakChanges changes_;
  std::vector<JournalValue> values_;
};

// The values of the changes as they are now, as `before` of a step (after left empty), and the
// same read again into `after`. For JournalStep and the restore.
std::vector<JournalValue> readValuesBefore(const TweakChanges& changes);
void readValuesAfter(std::vector<JournalValue>& values);

}  // namespace vx
