// A configurable tweak for engine, job and profile tests: its state, results, aggressiveness,
// backup keys, tier and reboot flag are plain fields, it counts its calls, and it can throw.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx::test {

class FakeTweak : public Tweak {
 public:
  explicit FakeTweak(std::wstring id, TweakCategory category = TweakCategory::Performance)
      : Tweak(id, L"Твик " + id, L"", category) {}

  TweakState state = TweakState::NotApplied;
  bool applyOk = true;   // a successful apply also makes the state Applied
  bool revertOk = true;  // a successful revert also makes the state NotApplied
  bool aggressive = false;
  std::vector<BackupKey> keys;
  int ownTier = 0;
  bool reboot = false;
  bool reportsOnly = false;  // informationOnly()
  bool throwOnQuery = false, throwOnApply = false, throwOnRevert = false, throwOnAggressive = false;
  bool throwOnProperties = false;  // tier, needsReboot, backupKeys
  int queries = 0, applies = 0, reverts = 0;

  bool informationOnly() const override { return reportsOnly; }
  bool isAggressive() const override {
    if (throwOnAggressive) throw std::runtime_error("isAggressive");
    return aggressive;
  }
  std::vector<BackupKey> backupKeys() const override {
    if (throwOnProperties) throw std::runtime_error("backupKeys");
    return keys;
  }
  int tier() const override {
    if (throwOnProperties) throw std::runtime_error("tier");
    return ownTier;
  }
  bool needsReboot() const override {
    if (throwOnProperties) throw std::runtime_error("needsReboot");
    return reboot;
  }
  TweakState queryState() override {
    ++queries;
    if (throwOnQuery) throw std::runtime_error("queryState");
    return state;
  }
  bool apply() override {
    ++applies;
    if (throwOnApply) throw std::runtime_error("apply");
    if (applyOk) state = TweakState::Applied;
    return applyOk;
  }
  bool revert() override {
    ++reverts;
    if (throwOnRevert) throw std::runtime_error("revert");
    if (revertOk) state = TweakState::NotApplied;
    return revertOk;
  }
};

inline std::shared_ptr<FakeTweak> makeFake(std::wstring id, TweakCategory category = TweakCategory::Performance) {
  return std::make_shared<FakeTweak>(std::move(id), category);
}

}  // namespace vx::test
