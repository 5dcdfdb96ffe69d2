// The extended "pro." group on the Pro page: MMCSS game profile, power throttling, GPU TDR delay,
// Cortana and web search, memory compression, TCP receive auto-tuning and reserved storage.
// Appended by appendExtendedGroup (group_builders.h).
#pragma once
#include "tweaks/marker_tweak.h"
#include "core/reg_settings_tweak.h"

namespace vx {

extern const RegistryRow kMmcssRow;
using MmcssGamingTweak = RowTweak<kMmcssRow>;

extern const RegistryRow kPowerThrottlingRow;
using DisablePowerThrottlingTweak = RowTweak<kPowerThrottlingRow>;

extern const RegistryRow kTdrRow;
using GpuTdrDelayTweak = RowTweak<kTdrRow>;

extern const RegistryRow kCortanaRow;
using DisableCortanaTweak = RowTweak<kCortanaRow>;

// Disable-MMAgent -mc through PowerShell; marker "MemCompressionDisabled" on success. Revert
// fails (marker kept) when PowerShell cannot be started.
extern const MarkerRow kMemCompressionRow;
using DisableMemoryCompressionTweak = MarkerRowTweak<kMemCompressionRow>;

// netsh autotuninglevel=normal; marker "TcpAutotuneApplied" on success. Revert only forgets it.
extern const MarkerRow kTcpAutotuneRow;
using TcpReceiveAutotuneTweak = MarkerRowTweak<kTcpAutotuneRow>;

extern const RegistryRow kReservedStorageRow;
using ReservedStorageTweak = RowTweak<kReservedStorageRow>;

}  // namespace vx
