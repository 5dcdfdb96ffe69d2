// A small tweak for journal and restore tests that writes registry values and describes them in
// changes(): apply writes each value's onApply, revert each onRevert (deleting an absent one). It
// reads Applied while every value holds its onApply. Optionally aggressive, or described only by a
// file, like the tweak kinds that cannot be restored value by value.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/change_values.h"
#include "core/tweak.h"

namespace vx::test {

class DescribedValuesTweak : public Tweak {
 public:
  DescribedValuesTweak(std::wstring id, TweakChanges writes)
      : Tweak(id, L"Твик " + id, L"", TweakCategory::Performance), writes(std::move(writes)) {}

  TweakChanges writes;
  bool aggressive = false;
  std::vector<BackupKey> keys;

  bool isAggressive() const override { return aggressive; }
  std::vector<BackupKey> backupKeys() const override { return keys; }
  TweakChanges changes() override { return writes; }
  TweakState queryState() override {
    for (const auto& change : writes)
      if (changeHasValue(change) && readChangeValue(change) != change.onApply) return TweakState::NotApplied;
    return TweakState::Applied;
  }
  bool apply() override { return writeAll(false); }
  bool revert() override { return writeAll(true); }

 private:
  bool writeAll(bool reverting) {
    bool ok = true;
    for (const auto& change : writes)
      if (changeHasValue(change) && !(reverting && change.keepsOnRevert))
        ok = writeChangeValue(change, reverting ? change.onRevert : change.onApply) && ok;
    return ok;
  }
};

// A registry value change under HKLM.
inline TweakChange registryChange(std::wstring key, std::wstring name, RegValueImage onApply,
                                  RegValueImage onRevert = RegValueImage::absent()) {
  TweakChange change;
  change.kind = ChangeKind::RegistryValue;
  change.root = RegRoot::LocalMachine;
  change.key = std::move(key);
  change.valueName = std::move(name);
  change.onApply = std::move(onApply);
  change.onRevert = std::move(onRevert);
  return change;
}

inline std::shared_ptr<DescribedValuesTweak> describedTweak(std::wstring id, TweakChanges writes) {
  return std::make_shared<DescribedValuesTweak>(std::move(id), std::move(writes));
}

}  // namespace vx::test
