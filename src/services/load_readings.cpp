#include "services/load_readings.h"

#include <algorithm>
#include <map>
#include <tuple>

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

namespace {

// Reads "<tag><number>" at the front of text and drops it; hex after "0x" when hex is set.
bool takeNumber(std::wstring_view& text, std::wstring_view tag, bool hex, std::uint32_t& out) {
  if (text.substr(0, tag.size()) != tag) return false;
  text.remove_prefix(tag.size());
  if (hex) {
    if (text.substr(0, 2) != L"0x" && text.substr(0, 2) != L"0X") return false;
    text.remove_prefix(2);
  }
  const int base = hex ? 16 : 10;
  std::uint64_t value = 0;
  std::size_t digits = 0;
  for (; digits < text.size(); ++digits) {
    const wchar_t c = text[digits];
    int digit = -1;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (hex && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (hex && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    if (digit < 0) break;
    value = value * base + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFULL) return false;
  }
  if (digits == 0) return false;
  text.remove_prefix(digits);
  out = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

std::optional<GpuEngineInstance> parseGpuEngineInstance(std::wstring_view name) {
  GpuEngineInstance e;
  if (!takeNumber(name, L"pid_", false, e.pid) || !takeNumber(name, L"_luid_", true, e.luidHigh) ||
      !takeNumber(name, L"_", true, e.luidLow) || !takeNumber(name, L"_phys_", false, e.phys) ||
      !takeNumber(name, L"_eng_", false, e.engine))
    return std::nullopt;
  constexpr std::wstring_view kTypeTag = L"_engtype_";
  if (name.substr(0, kTypeTag.size()) != kTypeTag) return std::nullopt;
  e.engineType = std::wstring(name.substr(kTypeTag.size()));
  return e;
}

std::int32_t gpuLoadPercent(const std::vector<GpuEngineSample>& instances) {
  // (luid high, luid low, phys, engine) -> summed utilisation
  std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t>, double> engines;
  for (const GpuEngineSample& sample : instances) {
    if (!(sample.utilisation > 0.0)) continue;  // also leaves out NaN
    const auto e = parseGpuEngineInstance(sample.instance);
    if (!e) continue;
    engines[{e->luidHigh, e->luidLow, e->phys, e->engine}] += sample.utilisation;
  }
  double busiest = 0.0;
  for (const auto& [engine, sum] : engines) busiest = std::max(busiest, sum);
  return static_cast<std::int32_t>(std::min(100.0, busiest));
}

}  // namespace vx
