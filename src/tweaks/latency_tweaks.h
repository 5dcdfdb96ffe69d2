// Latency, timer and GPU tweaks on the Pro page: USB power saving, boot timer settings, fullscreen
// optimisations, shader cache, NVIDIA P0, the Resizable BAR check, system cache, CPU quanta, GPU
// scheduling, HPET and the component store cleanup. Appended by appendLatencyGroup (group_builders.h).
#pragma once
#include "core/described_tweak.h"
#include "core/reg_settings_tweak.h"
#include "tweaks/marker_tweak.h"

namespace vx {

// DisableSelectiveSuspend plus the USB selective-suspend setting of the active power plan.
class UsbPowerSaveTweak final : public DescribedTweak {
 public:
  UsbPowerSaveTweak();
  TweakState queryState() override;
  bool apply() override;  // the registry write decides; powercfg runs best effort
  bool revert() override;
  TweakChanges changes() override;
};

// bcdedit: dynamic tick off, platform clock and tick on; marker "BcdHpetApplied" only when all worked.
extern const MarkerRow kBcdHpetRow;
using BcdHpetTweak = MarkerRowTweak<kBcdHpetRow>;

extern const RegistryRow kFsoRow;
using FsoDisableTweak = RowTweak<kFsoRow>;

extern const RegistryRow kShaderCacheRow;
using ShaderCacheTweak = RowTweak<kShaderCacheRow>;

// PowerMizer settings on every NVIDIA adapter's driver key.
class NvidiaPStateTweak final : public DescribedTweak {
 public:
  NvidiaPStateTweak();
  std::vector<BackupKey> backupKeys() const override;
  TweakState queryState() override;  // NotApplied (not Unavailable) without NVIDIA
  std::wstring compatibilityNote() const override;  // "NVIDIA GPU не обнаружен." without one
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // four values per NVIDIA adapter found now
};

// Information only: reports whether a display adapter's driver key carries ReBarSupport = 1.
class ReBarStatusTweak final : public DescribedTweak {
 public:
  ReBarStatusTweak();
  TweakState queryState() override;
  bool apply() override;   // false: Resizable BAR is switched in the firmware
  bool revert() override;  // false
};

extern const RegistryRow kSystemCacheRow;
using SystemCachePriorityTweak = RowTweak<kSystemCacheRow>;

extern const RegistryRow kDynamicPriorityRow;
using DynamicPriorityTweak = RowTweak<kDynamicPriorityRow>;

extern const RegistryRow kHagsRow;
using HagsTweak = RowTweak<kHagsRow>;

// bcdedit: platform clock removed (best effort), dynamic tick off; marker "HpetOff" only when the
// dynamic tick was switched off.
extern const MarkerRow kHpetOffRow;
using HpetDisableTweak = MarkerRowTweak<kHpetOffRow>;

// DISM component store cleanup with /ResetBase (up to an hour); marker "DismCleanupRun" on success.
// Revert only forgets the marker: the cleanup cannot be undone.
extern const MarkerRow kDismRow;
using DismCleanupTweak = MarkerRowTweak<kDismRow>;

}  // namespace vx
