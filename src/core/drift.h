// Tweaks that were reset after they were applied (Windows Update, the user, another tool): the
// last journal line of the tweak whose action is "apply" or "revert" is a successful apply, no
// later "restore" line of it exists, and it now reads NotApplied. Undetermined and Unavailable
// never count. Used by vxctl drift and the Home page's drift line (after the first full state pass).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/change_journal.h"
#include "core/tweak.h"

namespace vx {

inline constexpr const wchar_t* kApplyAgainText = L"Применить снова";

// The ids the journal says should still be applied, in the order of their last apply.
std::vector<std::wstring> driftCandidates(const std::vector<JournalLine>& lines);

// The candidates found in the catalogue whose state is NotApplied, in catalogue order. stateOf
// gives a tweak's state (a fresh query, or the cache's last known one); nothing counts as unknown.
std::vector<TweakPtr> resetTweaks(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                  const std::function<std::optional<TweakState>(Tweak&)>& stateOf);

// "Сброшено после применения: N"
std::wstring driftLineText(std::size_t count);

}  // namespace vx
