// The flags a finished job hands to the UI thread, and their bit encoding in the completion
// message: bit 0 succeeded, bit 1 needs reboot, bit 2 clear selection; bit 3 set when a card's job
// carries its tweak's new state, which then sits in bits 4 and 5.
#pragma once
#include <cstdint>
#include <optional>

#include "core/job_results.h"

namespace vx::ui {

struct JobFlags {
  bool succeeded = false;
  bool needsReboot = false;
  bool clearSelection = false;
  std::optional<TweakState> tweakState;
  bool operator==(const JobFlags&) const = default;
};

inline constexpr std::uint32_t kJobSucceeded = 1u << 0;
inline constexpr std::uint32_t kJobNeedsReboot = 1u << 1;
inline constexpr std::uint32_t kJobClearSelection = 1u << 2;
inline constexpr std::uint32_t kJobHasTweakState = 1u << 3;
inline constexpr int kJobTweakStateShift = 4;

inline JobFlags jobFlags(const JobResult& r) { return {r.succeeded, r.needsReboot, r.clearSelection, r.tweakState}; }

inline std::uint32_t jobFlagBits(const JobFlags& f) {
  std::uint32_t bits = (f.succeeded ? kJobSucceeded : 0) | (f.needsReboot ? kJobNeedsReboot : 0) |
                       (f.clearSelection ? kJobClearSelection : 0);
  if (f.tweakState)
    bits |= kJobHasTweakState | (static_cast<std::uint32_t>(*f.tweakState) & 3u) << kJobTweakStateShift;
  return bits;
}

inline JobFlags jobFlagsFromBits(std::uint32_t bits) {
  JobFlags f{(bits & kJobSucceeded) != 0, (bits & kJobNeedsReboot) != 0, (bits & kJobClearSelection) != 0, {}};
  if (bits & kJobHasTweakState) f.tweakState = static_cast<TweakState>((bits >> kJobTweakStateShift) & 3u);
  return f;
}

}  // namespace vx::ui
