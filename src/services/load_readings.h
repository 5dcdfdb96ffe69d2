// The arithmetic of the resource monitor's samples, kept apart from the system calls: CPU load
// from two system-time readings, and the GPU load from the per-engine utilisations.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/performance.h"

namespace vx {

// (Δkernel + Δuser − Δidle) × 100 / (Δkernel + Δuser), truncated, 0..100. Nothing when there is no
// previous reading (its kernel time is 0), no time passed, or a counter went backwards.
std::optional<std::int32_t> cpuLoadPercent(const SystemTimes& previous, const SystemTimes& current);

// The sum of the values above 0.0 (every engine of every process and adapter), at most 100,
// truncated to a whole percentage.
std::int32_t gpuLoadPercent(const std::vector<double>& engineUtilisations);

}  // namespace vx
