// The row header every tweak kind takes (texts, page, flags, tier, requirement, fixed backup keys)
// and the base class that answers the descriptive operations from it. The core rows and the tweak
// groups keep one constant header per tweak; per-device tweaks list their backup keys themselves.
#pragma once
#include <array>

#include "core/requirement_notes.h"
#include "core/tweak.h"

namespace vx {

// A registry key named by a constant table row.
struct KeyRef {
  RegRoot root = RegRoot::LocalMachine;
  const wchar_t* subkey = nullptr;  // null marks an unused slot
};

struct TweakInfo {
  const wchar_t* id = L"";
  const wchar_t* title = L"";
  const wchar_t* description = L"";
  TweakCategory category = TweakCategory::Pro;
  bool aggressive = false;
  const wchar_t* warning = L"";
  const wchar_t* sideEffects = L"";
  int tier = 0;  // 0: the tier map decides
  bool needsReboot = false;
  Requirement requirement = Requirement::None;
  std::array<KeyRef, 3> backup{};  // exported before an aggressive apply, in this order
  bool informationOnly = false;    // reports a reading and changes nothing (Tweak::informationOnly)
};

class DescribedTweak : public Tweak {
 public:
  // info must outlive the tweak: the rows are constants with static storage.
  explicit DescribedTweak(const TweakInfo& info);
  // The same header with its texts filled in for one instance (a game's executable).
  DescribedTweak(const TweakInfo& info, std::wstring id, std::wstring title, std::wstring description);

  bool isAggressive() const override;
  std::wstring aggressiveWarning() const override;
  std::wstring sideEffects() const override;
  int tier() const override;
  std::vector<BackupKey> backupKeys() const override;
  std::wstring compatibilityNote() const override;
  bool needsReboot() const override;
  bool informationOnly() const override;

 protected:
  const TweakInfo& info() const { return info_; }

 private:
  const TweakInfo& info_;
};

}  // namespace vx
