// The arithmetic of the resource monitor's samples, kept apart from the system calls: CPU load
// from two system-time readings, and the GPU load from the GPU engine counter's instances.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/performance.h"

namespace vx {

// (Δkernel + Δuser − Δidle) × 100 / (Δkernel + Δuser), truncated, 0..100. Nothing when there is no
// previous reading (its kernel time is 0), no time passed, or a counter went backwards.
std::optional<std::int32_t> cpuLoadPercent(const SystemTimes& previous, const SystemTimes& current);

// What a GPU engine counter instance name says: "pid_1234_luid_0x00000000_0x0000D1A2_phys_0_eng_3_
// engtype_Copy" is engine 3 of the adapter with that LUID and physical index, used by process 1234.
struct GpuEngineInstance {
  std::uint32_t pid = 0;
  std::uint32_t luidHigh = 0, luidLow = 0;
  std::uint32_t phys = 0;
  std::uint32_t engine = 0;
  std::wstring engineType;
  bool operator==(const GpuEngineInstance&) const = default;
};
// Nothing when the name does not have that form.
std::optional<GpuEngineInstance> parseGpuEngineInstance(std::wstring_view name);

// As Task Manager shows it: each engine of each adapter (LUID + physical index + engine index)
// summed over all processes, and the busiest of them, at most 100, truncated to a whole
// percentage. Values that are not above 0.0 and instances whose name does not parse are left out.
std::int32_t gpuLoadPercent(const std::vector<GpuEngineSample>& instances);

}  // namespace vx
