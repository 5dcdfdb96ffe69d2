// The one place where the rest of the program calls a tweak: every call is guarded, so a tweak
// that throws can never take down a paint, a job or vxctl. An exception reads as Undetermined,
// as a failed apply or revert, and as the harmless default of each property. Under another account
// than the desktop's, a tweak that changes the user's profile is Unavailable with that note, and
// apply and revert refuse it without calling it (core/user_account.h). Every apply and revert that
// reaches the tweak appends its line to the change journal (core/journal_run.h).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx::guarded {

// Under another account than the desktop's, a tweak that writes the user's settings would change
// that other account's profile: true for such a tweak then, and it is left alone.
bool inAnotherAccountsProfile(const Tweak& tweak);

TweakState queryState(Tweak& tweak);
bool apply(Tweak& tweak);
bool revert(Tweak& tweak);

bool needsReboot(const Tweak& tweak);                      // false
bool isAggressive(const Tweak& tweak);                     // false
std::wstring aggressiveWarning(const Tweak& tweak);        // empty
std::wstring sideEffects(const Tweak& tweak);              // empty
std::wstring compatibilityNote(const Tweak& tweak);        // empty
int tier(const Tweak& tweak);                              // 0, the tier map decides
std::vector<BackupKey> backupKeys(const Tweak& tweak);   // empty

// For the engine, where a harmless default is not safe: whether the tweak needs a safety net and
// the keys to back up; nothing when either call threw, and the tweak then counts as one that
// cannot be applied safely.
struct SafetyNeeds {
  bool aggressive = false;
  std::vector<BackupKey> keys;  // empty unless aggressive
};
std::optional<SafetyNeeds> safetyNeeds(const Tweak& tweak);

}  // namespace vx::guarded
