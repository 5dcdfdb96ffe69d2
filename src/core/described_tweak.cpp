#include "core/described_tweak.h"

namespace vx {

DescribedTweak::DescribedTweak(const TweakInfo& info)
    : Tweak(info.id, info.title, info.description, info.category), info_(info) {}

DescribedTweak::DescribedTweak(const TweakInfo& info, std::wstring id, std::wstring title, std::wstring description)
    : Tweak(std::move(id), std::move(title), std::move(description), info.category), info_(info) {}

bool DescribedTweak::isAggressive() const { return info_.aggressive; }
std::wstring DescribedTweak::aggressiveWarning() const { return info_.warning; }
std::wstring DescribedTweak::sideEffects() const { return info_.sideEffects; }
int DescribedTweak::tier() const { return info_.tier; }
bool DescribedTweak::needsReboot() const { return info_.needsReboot; }
std::wstring DescribedTweak::compatibilityNote() const { return requirementNote(info_.requirement); }
bool DescribedTweak::informationOnly() const { return info_.informationOnly; }

std::vector<BackupKey> DescribedTweak::backupKeys() const {
  std::vector<BackupKey> keys;
  for (const KeyRef& key : info_.backup) {
    if (key.subkey != nullptr) keys.push_back(BackupKey{key.root, key.subkey});
  }
  return keys;
}

}  // namespace vx
