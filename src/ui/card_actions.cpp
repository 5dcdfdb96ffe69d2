#include "core/catalog.h"
#include "core/engine.h"
#include "core/guarded_calls.h"
#include "ui/input_handlers.h"
#include "ui/jobs.h"
#include "ui/journal_page.h"

namespace vx::ui {

namespace {

Color outcomeColor(StatusOutcome outcome) {
  switch (outcome) {
    case StatusOutcome::Success: return kColorSuccess;
    case StatusOutcome::Failure: return kColorFailure;
    case StatusOutcome::Neutral: break;
  }
  return kColorTextDim;
}

}  // namespace

TweakPtr cardTweak(const UiState& state, int index) {
  if (state.searching()) {
    if (index < 0 || index >= static_cast<int>(state.searchResults.size())) return nullptr;
    return state.searchResults[static_cast<std::size_t>(index)];
  }
  const SidebarEntry* entry = state.currentEntry();
  if (!entry || entry->kind != PageKind::Category || index < 0) return nullptr;
  return nthInCategory(state.catalogue, entry->category, static_cast<std::size_t>(index));
}

void toggleCard(UiState& state, WindowHost& host, int index) {
  const TweakPtr tweak = cardTweak(state, index);
  if (!tweak) return;
  const TweakState current = guarded::queryState(*tweak);
  if (current == TweakState::Unavailable) {
    state.setStatus(unavailableStatus(*tweak).text, kColorTextDim);
    host.invalidate();
    return;
  }
  const bool revert = current == TweakState::Applied;
  if (!revert && guarded::isAggressive(*tweak)) {
    // The backup and the restore point can take tens of seconds on Windows: a job, so that the
    // window keeps answering (Windows calls a window silent for 5 s hung).
    startCardApplyJob(state, host, tweak);
    return;
  }
  StatusText status;
  try {
    status = revert ? revertWithStatus(*tweak) : applyWithStatus(*tweak);
  } catch (...) {
    // The engine guards the tweak itself; what is left (out of memory, a failing backup step) is
    // still only this card's failure.
    status = {tweak->title + (revert ? L": ошибка отката" : L": ошибка применения"), StatusOutcome::Failure};
  }
  state.setStatus(status.text, outcomeColor(status.outcome));
  state.states->clear();
  // The card's own state is read now, so the next frame shows the new dot and button; the
  // refresher re-reads the rest of the catalogue.
  state.states->store(tweak->id, guarded::queryState(*tweak));
  try {
    rebuildRecommendations(state);
  } catch (...) {
    // Keep the previous advice; the next action rebuilds it.
  }
  requestJournalRead(state);
  host.invalidate();
}

void toggleSelection(UiState& state, WindowHost& host, int index) {
  const TweakPtr tweak = cardTweak(state, index);
  if (!tweak) return;
  if (guarded::queryState(*tweak) == TweakState::Unavailable) {
    state.setStatus(unavailableStatus(*tweak).text, kColorTextDim);
    host.invalidate();
    return;
  }
  if (!state.selectedIds.erase(tweak->id)) state.selectedIds.insert(tweak->id);
  host.invalidate();
}

}  // namespace vx::ui
