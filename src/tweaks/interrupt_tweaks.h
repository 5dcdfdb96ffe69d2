// Device interrupt and PCIe power tweaks: MSI mode for the GPU, PCIe link-state power management
// off, CPU speculation mitigations off. All aggressive, on the Pro page; appended by
// appendInterruptGroup (group_builders.h).
#pragma once
#include "core/described_tweak.h"
#include "tweaks/marker_tweak.h"
#include "core/reg_settings_tweak.h"

namespace vx {

// Every display adapter to message-signalled interrupts with high interrupt priority.
class GpuMsiModeTweak final : public DescribedTweak {
 public:
  GpuMsiModeTweak();
  std::vector<BackupKey> backupKeys() const override;  // every display adapter's driver key
  TweakState queryState() override;  // Unavailable without adapters; Applied when every adapter is done
  bool apply() override;             // true when at least one adapter was written
  bool revert() override;            // MSISupported 0, DevicePriority 0 on every adapter; always true
  TweakChanges changes() override;   // two values per adapter with a PCI instance key now
};

// PCIe ASPM off in the active power plan through powercfg; the marker "PciAspmDisabled" records it
// only when all three powercfg commands exited 0. Revert fails without powercfg's folder.
extern const MarkerRow kPciAspmRow;
using DisablePciAspmTweak = MarkerRowTweak<kPciAspmRow>;

// FeatureSettingsOverride / FeatureSettingsOverrideMask = 3 under Memory Management.
extern const RegistryRow kMitigationsRow;
using DisableSpeculationMitigationsTweak = RowTweak<kMitigationsRow>;

}  // namespace vx
