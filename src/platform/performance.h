// Load readings and timing services of the host for the booster and the resource monitor:
// cumulative system times, per-engine GPU utilisation (PDH), the 0.5 ms timer resolution and the
// standby-list purge (ntdll, looked up at run time). Implemented by win32/ and sim/.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vx {

// GetSystemTimes in 100 ns units since boot; kernel time includes idle time.
struct SystemTimes {
  std::uint64_t idle = 0;
  std::uint64_t kernel = 0;
  std::uint64_t user = 0;
};
std::optional<SystemTimes> systemTimes();

// CPU time this process has used so far (kernel + user, 100 ns units); nothing on failure. For
// measuring what the background loops cost while the program idles.
std::optional<std::uint64_t> processCpuTime();

// NtSetTimerResolution: whether ntdll exports it; a request for the given resolution (100 ns
// units, 5000 = 0.5 ms) and the release of this process's request. True when the call answers 0.
bool timerResolutionSupported();
bool requestTimerResolution(std::uint32_t hundredNanoseconds);
bool releaseTimerResolution();

// SetProcessInformation(ProcessPowerThrottling) for this process with ControlMask
// PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION and StateMask 0: Windows 11 then keeps honouring
// its timer requests while its windows are minimised or hidden. False when the function is
// missing (it is looked up at run time) or the call fails.
bool keepTimerRequestsWhenHidden();

// NtSetSystemInformation(SystemMemoryListInformation, MemoryPurgeStandbyList): whether ntdll
// exports it, and one purge (true when the call answers 0). Windows refuses it unless
// SeProfileSingleProcessPrivilege is enabled in the process token (privileges.h).
bool standbyPurgeSupported();
bool purgeStandbyList();

// One instance of the GPU engine counter: its name, one per process, adapter and engine
// ("pid_1234_luid_0x00000000_0x0000D1A2_phys_0_eng_3_engtype_Copy"), and its value in percent.
struct GpuEngineSample {
  std::wstring instance;
  double utilisation = 0.0;
  bool operator==(const GpuEngineSample&) const = default;
};

// The "\GPU Engine(*)\Utilization Percentage" counter, added by its English name. The query is
// opened and primed once by the constructor; a counter that cannot be added is not usable (Wine
// has no GPU engine counters). Not copyable; one owner thread.
class GpuEngineCounter {
 public:
  GpuEngineCounter();
  ~GpuEngineCounter();
  GpuEngineCounter(const GpuEngineCounter&) = delete;
  GpuEngineCounter& operator=(const GpuEngineCounter&) = delete;

  bool usable() const;
  // Collects once and returns every instance with its value (each engine of each process and
  // adapter); nothing when the counter is not usable or PDH fails.
  std::optional<std::vector<GpuEngineSample>> sample();

 private:
  struct Query;
  std::unique_ptr<Query> query_;
};

}  // namespace vx
