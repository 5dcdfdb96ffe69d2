#include "core/engine.h"

#include <iterator>

#include "core/change_guard.h"
#include "core/guarded_calls.h"
#include "core/journal_run.h"
#include "core/user_account.h"
#include "core/safety_net.h"
#include "core/state_cache.h"

namespace vx {

namespace {

void copyNet(ApplyResult& result, SafetyNetResult&& net) {
  result.backupsOk = net.backupsOk;
  result.restorePointCreated = net.restorePointCreated;
  result.backupDir = std::move(net.backupDir);
  result.message = std::move(net.message);
}

// Whether the tweak needs a safety net, and its keys. False when the tweak threw: it is then
// treated as one that cannot be applied safely.
bool safetyNetNeeds(const Tweak& tweak, bool& aggressive, std::vector<BackupKey>& keys) {
  auto needs = guarded::safetyNeeds(tweak);
  if (!needs) return false;
  aggressive = needs->aggressive;
  keys.insert(keys.end(), std::make_move_iterator(needs->keys.begin()), std::make_move_iterator(needs->keys.end()));
  return true;
}

}  // namespace

ApplyResult applyOne(Tweak& tweak) {
  ApplyResult result;
  const ChangeGuard guard;  // already held by a job or vxctl that waited for it; the window only tries
  if (!guard.held()) {
    result.message = kAnotherCopyBusyMessage;
    return result;
  }
  const JournalRun run(L"apply_" + tweak.id);
  bool aggressive = false;
  std::vector<BackupKey> keys;
  if (!safetyNetNeeds(tweak, aggressive, keys)) {
    result.message = kApplyFailedMessage;
    return result;
  }
  if (aggressive) {
    copyNet(result, prepareSafetyNet(keys, tweak.id));
    if (result.backupDir.empty()) {
      result.message = kNoBackupDirMessage;
      return result;  // no copy of the old values, so nothing is changed
    }
    if (!result.backupsOk) {
      result.message = kBackupFailedMessage;
      return result;  // some old values would be lost for good
    }
  }
  if (guarded::apply(tweak))
    result.applied = true;
  else
    result.message = kApplyFailedMessage;
  return result;
}

ApplyResult applyBatch(const std::vector<TweakPtr>& tweaks, const std::wstring& label) {
  ApplyResult result;
  const ChangeGuard guard;
  if (!guard.held()) {
    result.message = kAnotherCopyBusyMessage;
    return result;
  }
  const JournalRun run(label);
  std::vector<BackupKey> keys;
  std::vector<bool> usable(tweaks.size(), false);
  std::vector<bool> aggressiveAt(tweaks.size(), false);
  std::vector<std::size_t> firstKey(tweaks.size() + 1, 0);  // tweak i owns keys [firstKey[i], firstKey[i+1])
  bool anyAggressive = false;
  for (std::size_t i = 0; i < tweaks.size(); ++i) {
    bool aggressive = false;
    usable[i] = tweaks[i] && safetyNetNeeds(*tweaks[i], aggressive, keys);
    aggressiveAt[i] = usable[i] && aggressive;
    firstKey[i + 1] = keys.size();
    anyAggressive = anyAggressive || aggressive;
  }
  std::vector<bool> exported;
  if (anyAggressive) {
    SafetyNetResult net = prepareSafetyNet(keys, label);
    exported = net.keysExported;
    copyNet(result, std::move(net));
    if (result.backupDir.empty()) {
      result.message = kNoBackupDirMessage;
      return result;
    }
  }
  const auto keysSaved = [&](std::size_t i) {
    for (std::size_t k = firstKey[i]; k < firstKey[i + 1]; ++k)
      if (k >= exported.size() || !exported[k]) return false;
    return true;
  };
  int count = 0;
  for (std::size_t i = 0; i < tweaks.size(); ++i) {
    if (!usable[i] || guarded::queryState(*tweaks[i]) == TweakState::Unavailable) continue;
    if (aggressiveAt[i] && !keysSaved(i)) continue;  // counted as not applied
    if (guarded::apply(*tweaks[i])) ++count;
  }
  result.applied = count > 0;
  if (count == 0) result.message = kNothingAppliedMessage;
  return result;
}

CategoryRunCounts runCategory(const std::vector<TweakPtr>& tweaks, TweakCategory category, bool revert) {
  CategoryRunCounts counts;
  const ChangeGuard guard;
  if (!guard.held()) {
    counts.busy = true;
    return counts;
  }
  const JournalRun run(std::wstring(L"category_") + categoryLabel(category) + (revert ? L"_revert" : L"_apply"));
  for (const auto& tweak : tweaks) {
    if (!tweak || tweak->category != category) continue;
    if (guarded::queryState(*tweak) == TweakState::Unavailable) {
      ++counts.skipped;
      continue;
    }
    const bool ok = revert ? guarded::revert(*tweak) : guarded::apply(*tweak);
    ++(ok ? counts.ok : counts.failed);
  }
  return counts;
}

StatusText applyWithStatus(Tweak& tweak) {
  const ApplyResult r = applyOne(tweak);
  if (!r.applied) {
    // The tweak's own reason, when its apply ran and failed (not when the safety net stopped it).
    std::wstring note = r.message == kApplyFailedMessage ? tweak.failureNote() : std::wstring();
    if (r.message == kBackupFailedMessage || r.message == kAnotherCopyBusyMessage) note = r.message;
    return {tweak.title + L": " + (note.empty() ? std::wstring(L"ошибка применения") : note), StatusOutcome::Failure};
  }
  std::wstring text = tweak.title + L": применено";
  // Only a backup that really exists is announced.
  if (r.backupsOk) text += L"  •  Бэкап создан";
  if (r.restorePointCreated) text += L"  •  Точка восстановления готова";
  return {std::move(text), StatusOutcome::Success};
}

StatusText revertWithStatus(Tweak& tweak) {
  const ChangeGuard guard;
  if (!guard.held()) return {tweak.title + L": " + kAnotherCopyBusyMessage, StatusOutcome::Failure};
  const JournalRun run(L"revert_" + tweak.id);
  if (guarded::revert(tweak)) return {tweak.title + L": откачено", StatusOutcome::Success};
  return revertFailedStatus(tweak);
}

StatusText revertFailedStatus(const Tweak& tweak) {
  const std::wstring note = tweak.failureNote();
  return {tweak.title + L": " + (note.empty() ? std::wstring(L"ошибка отката") : note), StatusOutcome::Failure};
}

StatusText unavailableStatus(const Tweak& tweak) {
  if (guarded::inAnotherAccountsProfile(tweak)) return {tweak.title + L": " + kAnotherAccountNote, StatusOutcome::Neutral};
  return {tweak.title + L": не поддерживается", StatusOutcome::Neutral};
}

StatusText toggleTweak(Tweak& tweak) {
  const TweakState state = guarded::queryState(tweak);
  if (state == TweakState::Unavailable) return unavailableStatus(tweak);
  StatusText status = state == TweakState::Applied ? revertWithStatus(tweak) : applyWithStatus(tweak);
  TweakStateCache::instance().clear();
  return status;
}

}  // namespace vx
