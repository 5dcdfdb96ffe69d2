// Windows services and update tweaks on the System page: map and Store auto-updates, search
// indexing, the network data usage driver, the update pause, Delivery Optimization, Edge in the
// background and OneDrive auto-start. Each names what stops working once applied and carries its
// own profile tier. Appended by appendServiceUpdateGroup (group_builders.h).
#pragma once
#include "tweaks/described_tweak.h"
#include "tweaks/reg_settings_tweak.h"

namespace vx {

class DisableMapsAutoUpdateTweak final : public RegSettingsTweak {
 public:
  DisableMapsAutoUpdateTweak();
};

class DisableStoreAutoUpdateTweak final : public RegSettingsTweak {
 public:
  DisableStoreAutoUpdateTweak();
};

// The "WSearch" service disabled; Unavailable where the service does not exist.
class DisableSearchIndexingTweak final : public DescribedTweak {
 public:
  DisableSearchIndexingTweak();
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;  // automatic start again; the service is not started
  TweakChanges changes() override;
};

class DisableNduTweak final : public RegSettingsTweak {
 public:
  DisableNduTweak();
};

// Pauses feature and quality updates until one year from now (Windows itself caps it at 35 days).
class PauseWindowsUpdateTweak final : public DescribedTweak {
 public:
  PauseWindowsUpdateTweak();
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // the dates as apply would write them now
};

class DisableDeliveryOptimizationTweak final : public RegSettingsTweak {
 public:
  DisableDeliveryOptimizationTweak();
};

class DisableEdgeBackgroundTweak final : public RegSettingsTweak {
 public:
  DisableEdgeBackgroundTweak();
};

// Removes the user's "OneDrive" Run entry; revert writes the standard entry back.
class DisableOneDriveTweak final : public DescribedTweak {
 public:
  DisableOneDriveTweak();
  TweakState queryState() override;  // Applied while there is no Run entry
  bool apply() override;
  bool revert() override;
  bool changesUserProfile() const override { return true; }  // HKCU\...\Run
  TweakChanges changes() override;
};

}  // namespace vx
