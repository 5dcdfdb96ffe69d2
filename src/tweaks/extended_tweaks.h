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

// Disable-MMAgent -mc through PowerShell; marker "MemCompressionDisabled" on success. Revert
// fails (marker kept) when PowerShell cannot be started.
class DisableMemoryCompressionTweak final : public MarkerTweak {
 public:
  DisableMemoryCompressionTweak();
};

// netsh autotuninglevel=normal; marker "TcpAutotuneApplied" on success. Revert only forgets it.
class TcpReceiveAutotuneTweak final : public MarkerTweak {
 public:
  TcpReceiveAutotuneTweak();
};

class ReservedStorageTweak final : public RegSettingsTweak {
 public:
  ReservedStorageTweak();
};

}  // namespace vx
