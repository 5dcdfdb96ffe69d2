#include "services/load_readings.h"

#include <algorithm>

namespace vx {

std::optional<std::int32_t> cpuLoadPercent(const SystemTimes& previous, const SystemTimes& current) {
  if (previous.kernel == 0) return std::nullopt;
  if (current.kernel < previous.kernel || current.user < previous.user || current.idle < previous.idle)
    return std::nullopt;
  const std::uint64_t idle = current.idle - previous.idle;
  const std::uint64_t total = (current.kernel - previous.kernel) + (current.user - previous.user);
  if (total == 0) return std::nullopt;
  const std::uint64_t busy = idle >= total ? 0 : total - idle;
  return static_cast<std::int32_t>(std::min<std::uint64_t>(100, busy * 100 / total));
}

std::int32_t gpuLoadPercent(const std::vector<double>& engineUtilisations) {
  double sum = 0.0;
  for (const double value : engineUtilisations)
    if (value > 0.0) sum += value;  // also leaves out NaN
  return static_cast<std::int32_t>(std::min(100.0, sum));
}

}  // namespace vx
