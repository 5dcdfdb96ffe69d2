// The flags a finished job hands to the UI thread, and their bit encoding in the completion
// message: bit 0 succeeded, bit 1 needs reboot, bit 2 clear selection.
#pragma once
#include <cstdint>

#include "core/job_results.h"

namespace vx::ui {

struct JobFlags {
  bool succeeded = false;
  bool needsReboot = false;
  bool clearSelection = false;
  bool operator==(const JobFlags&) const = default;
};

inline constexpr std::uint32_t kJobSucceeded = 1u << 0;
inline constexpr std::uint32_t kJobNeedsReboot = 1u << 1;
inline constexpr std::uint32_t kJobClearSelection = 1u << 2;

inline JobFlags jobFlags(const JobResult& r) { return {r.succeeded, r.needsReboot, r.clearSelection}; }

inline std::uint32_t jobFlagBits(const JobFlags& f) {
  return (f.succeeded ? kJobSucceeded : 0) | (f.needsReboot ? kJobNeedsReboot : 0) |
         (f.clearSelection ? kJobClearSelection : 0);
}

inline JobFlags jobFlagsFromBits(std::uint32_t bits) {
  return {(bits & kJobSucceeded) != 0, (bits & kJobNeedsReboot) != 0, (bits & kJobClearSelection) != 0};
}

}  // namespace vx::ui
