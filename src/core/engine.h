// The engine that acts on tweaks for the user: one tweak from its card (with a safety net when it
// is aggressive), a list of tweaks under one safety net, and every tweak of a category page.
// Called by the card toggle, the background jobs (job_results.h) and vxctl. Exceptions thrown by
// a tweak never leave the engine: they count as a failed apply or revert. Every apply and revert
// holds the change lock (change_guard.h) and only tries it: callers that may wait take it first.
// Each call is one run of the change journal (journal_run.h) unless the caller opened one already.
#pragma once
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx {

struct ApplyResult {
  bool applied = false;              // applyOne: apply() succeeded; applyBatch: at least one did
  bool backupsOk = false;            // from the safety net; false when none was built
  bool restorePointCreated = false;  // from the safety net; false when none was built
  std::wstring backupDir;            // from the safety net; empty when none was built
  std::wstring message;              // why nothing was applied; empty otherwise
};

inline constexpr const wchar_t* kApplyFailedMessage = L"Применение твика завершилось ошибкой.";
inline constexpr const wchar_t* kNothingAppliedMessage = L"Ни один твик не был применён.";

ApplyResult applyOne(Tweak& tweak);

// One safety net for all aggressive tweaks of the list (labelled `label`), then every tweak that
// is not Unavailable is applied in list order, also when it is already applied.
ApplyResult applyBatch(const std::vector<TweakPtr>& tweaks, const std::wstring& label);

struct CategoryRunCounts {
  int ok = 0;
  int failed = 0;
  int skipped = 0;  // Unavailable
  bool busy = false;  // another Vantorix process held the change lock: nothing was run
  bool operator==(const CategoryRunCounts&) const = default;
};

// Applies (or reverts) every available tweak of the category, without a safety net.
CategoryRunCounts runCategory(const std::vector<TweakPtr>& tweaks, TweakCategory category, bool revert);

enum class StatusOutcome { Success, Failure, Neutral };

struct StatusText {
  std::wstring text;
  StatusOutcome outcome = StatusOutcome::Neutral;
};

// The card's button: reverts an Applied tweak, reports an Unavailable one, applies any other.
// Clears the tweak state cache after an apply or revert attempt.
StatusText toggleTweak(Tweak& tweak);

// The two halves of the toggle with their status texts, also used by vxctl apply and revert.
// The caller has already checked that the tweak is not Unavailable.
StatusText applyWithStatus(Tweak& tweak);
StatusText revertWithStatus(Tweak& tweak);
// title + ": " + the tweak's failure note, or "ошибка отката" without one.
StatusText revertFailedStatus(const Tweak& tweak);
// title + ": не поддерживается"
StatusText unavailableStatus(const Tweak& tweak);

}  // namespace vx
