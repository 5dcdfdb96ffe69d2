// The extended "pro." group on the Pro page: MMCSS game profile, power throttling, GPU TDR delay,
// Cortana and web search, memory compression, TCP receive auto-tuning and reserved storage.
// Appended by appendExtendedGroup (group_builders.h).
#pragma once
#include "tweaks/marker_tweak.h"
#include "tweaks/reg_settings_tweak.h"

namespace vx {

class MmcssGamingTweak final : public RegSettingsTweak {
 public:
  MmcssGamingTweak();
};

class DisablePowerThrottlingTweak final : public RegSettingsTweak {
 public:
  DisablePowerThrottlingTweak();
};

class GpuTdrDelayTweak final : public RegSettingsTweak {
 public:
  GpuTdrDelayTweak();
};

class DisableCortanaTweak final : public RegSettingsTweak {
 public:
  DisableCortanaTweak();
};

// Disable-MMAgent -mc through PowerShell; marker "MemCompressionDisabled" on success.
class DisableMemoryCompressionTweak final : public MarkerTweak {
 public:
  DisableMemoryCompressionTweak();
  bool apply() override;
  bool revert() override;
};

// netsh autotuninglevel=normal; marker "TcpAutotuneApplied" on success. Revert sets "disabled".
class TcpReceiveAutotuneTweak final : public MarkerTweak {
 public:
  TcpReceiveAutotuneTweak();
  bool apply() override;
  bool revert() override;
};

class ReservedStorageTweak final : public RegSettingsTweak {
 public:
  ReservedStorageTweak();
};

}  // namespace vx
