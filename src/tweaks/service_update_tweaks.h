// Windows services and update tweaks on the System page: map and Store auto-updates, search
// indexing, the network data usage driver, the update pause, Delivery Optimization, Edge in the
// background and OneDrive auto-start. Each names what stops working once applied and carries its
// own profile tier. Appended by appendServiceUpdateGroup (group_builders.h).
#pragma once
#include "core/described_tweak.h"
#include "core/reg_settings_tweak.h"
#include "core/service_tweak.h"

namespace vx {

extern const RegistryRow kMapsRow;
using DisableMapsAutoUpdateTweak = RowTweak<kMapsRow>;

extern const RegistryRow kStoreRow;
using DisableStoreAutoUpdateTweak = RowTweak<kStoreRow>;

// The "WSearch" service disabled; Unavailable where the service does not exist. A start type that
// cannot be read counts as not disabled (NotApplied).
class DisableSearchIndexingTweak final : public ServiceTweak {
 public:
  DisableSearchIndexingTweak();
  TweakState queryState() override;
};

extern const RegistryRow kNduRow;
using DisableNduTweak = RowTweak<kNduRow>;

// Pauses feature and quality updates until one year from now (Windows itself caps it at 35 days).
class PauseWindowsUpdateTweak final : public DescribedTweak {
 public:
  PauseWindowsUpdateTweak();
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // the dates as apply would write them now
};

extern const RegistryRow kDeliveryRow;
using DisableDeliveryOptimizationTweak = RowTweak<kDeliveryRow>;

extern const RegistryRow kEdgeRow;
using DisableEdgeBackgroundTweak = RowTweak<kEdgeRow>;

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
