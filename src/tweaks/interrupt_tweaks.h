// Device interrupt and PCIe power tweaks: MSI mode for the GPU, PCIe link-state power management
// off, CPU speculation mitigations off. All aggressive, on the Pro page; appended by
// appendInterruptGroup (group_builders.h).
#pragma once
#include "tweaks/described_tweak.h"
#include "tweaks/marker_tweak.h"
#include "tweaks/reg_settings_tweak.h"

namespace vx {

// Every display adapter to message-signalled interrupts with high interrupt priority.
class GpuMsiModeTweak final : public DescribedTweak {
 public:
  GpuMsiModeTweak();
  std::vector<BackupKey> backupKeys() const override;  // every display adapter's driver key
  TweakState queryState() override;  // Unavailable without adapters; Applied when every adapter is done
  bool apply() override;             // true when at least one adapter was written
  bool revert() override;            // MSISupported 0, DevicePriority 0 on every adapter; always true
};

// PCIe ASPM off in the active power plan through powercfg; the marker "PciAspmDisabled" records it.
class DisablePciAspmTweak final : public MarkerTweak {
 public:
  DisablePciAspmTweak();
  bool apply() override;   // true and marker only when all three powercfg commands exited 0
  bool revert() override;
};

// FeatureSettingsOverride / FeatureSettingsOverrideMask = 3 under Memory Management.
class DisableSpeculationMitigationsTweak final : public RegSettingsTweak {
 public:
  DisableSpeculationMitigationsTweak();
};

}  // namespace vx
