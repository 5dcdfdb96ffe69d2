#include "core/guarded_calls.h"

#include "core/journal_run.h"
#include "core/user_account.h"

namespace vx::guarded {

namespace {

// Calls the member and answers `fallback` when it throws.
template <typename Result, typename Call>
Result orFallback(Call&& call, Result fallback) {
  try {
    return call();
  } catch (...) {
    return fallback;
  }
}

}  // namespace

// The account check comes first, so the usual case costs one flag. A tweak whose answer throws
// counts as one that changes the profile (the harmless side).
bool inAnotherAccountsProfile(const Tweak& tweak) {
  return runsAsAnotherAccount() && orFallback([&] { return tweak.changesUserProfile(); }, true);
}

TweakState queryState(Tweak& tweak) {
  if (inAnotherAccountsProfile(tweak)) return TweakState::Unavailable;
  return orFallback([&] { return tweak.queryState(); }, TweakState::Undetermined);
}
// Every call that reaches the tweak is journalled with the values it changed (journal_run.h).
bool apply(Tweak& tweak) {
  if (inAnotherAccountsProfile(tweak)) return false;
  JournalStep step(tweak, JournalAction::Apply);
  const bool ok = orFallback([&] { return tweak.apply(); }, false);
  step.finish(ok);
  return ok;
}
bool revert(Tweak& tweak) {
  if (inAnotherAccountsProfile(tweak)) return false;
  JournalStep step(tweak, JournalAction::Revert);
  const bool ok = orFallback([&] { return tweak.revert(); }, false);
  step.finish(ok);
  return ok;
}

bool needsReboot(const Tweak& tweak) { return orFallback([&] { return tweak.needsReboot(); }, false); }
bool isAggressive(const Tweak& tweak) { return orFallback([&] { return tweak.isAggressive(); }, false); }
std::wstring aggressiveWarning(const Tweak& tweak) {
  return orFallback([&] { return tweak.aggressiveWarning(); }, std::wstring());
}
std::wstring sideEffects(const Tweak& tweak) { return orFallback([&] { return tweak.sideEffects(); }, std::wstring()); }
std::wstring compatibilityNote(const Tweak& tweak) {
  if (inAnotherAccountsProfile(tweak)) return kAnotherAccountNote;
  return orFallback([&] { return tweak.compatibilityNote(); }, std::wstring());
}
int tier(const Tweak& tweak) { return orFallback([&] { return tweak.tier(); }, 0); }

std::vector<BackupKey> backupKeys(const Tweak& tweak) {
  return orFallback([&] { return tweak.backupKeys(); }, std::vector<BackupKey>());
}

std::optional<SafetyNeeds> safetyNeeds(const Tweak& tweak) {
  return orFallback(
      [&] {
        SafetyNeeds needs;
        needs.aggressive = tweak.isAggressive();
        if (needs.aggressive) needs.keys = tweak.backupKeys();
        return std::optional<SafetyNeeds>(std::move(needs));
      },
      std::optional<SafetyNeeds>());
}

}  // namespace vx::guarded
