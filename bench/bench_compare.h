// The timing the benchmarks share: a subject and its bare-loop yardstick, each calibrated to
// rounds of about 50 ms, alternated, and reported as medians with their ratio.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <vector>

namespace vx::bench {

inline constexpr int kRounds = 9;
inline constexpr double kRoundSeconds = 0.05;

// Results land here so the compiler cannot drop the measured work.
inline volatile std::size_t g_sink = 0;
inline void keep(std::size_t value) { g_sink = g_sink + value; }

// Repetitions that make one round last about kRoundSeconds.
inline int calibrate(const std::function<void()>& body) {
  using Clock = std::chrono::steady_clock;
  int reps = 1;
  for (;;) {
    const auto start = Clock::now();
    for (int i = 0; i < reps; ++i) body();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds >= kRoundSeconds / 4 || reps >= (1 << 24))
      return std::max(1, static_cast<int>(reps * kRoundSeconds / std::max(seconds, 1e-9)));
    reps *= 4;
  }
}

inline double roundNs(const std::function<void()>& body, int reps) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  for (int i = 0; i < reps; ++i) body();
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / reps;
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Rounds of the subject and the baseline alternate, so drift of the machine hits both alike.
inline void compare(const char* name, const std::function<void()>& subject, const char* baselineName,
                    const std::function<void()>& baseline) {
  const int subjectReps = calibrate(subject);
  const int baselineReps = calibrate(baseline);
  std::vector<double> s, b;
  for (int r = 0; r < kRounds; ++r) {
    s.push_back(roundNs(subject, subjectReps));
    b.push_back(roundNs(baseline, baselineReps));
  }
  const double ms = median(s), mb = median(b);
  std::printf("%-44s %12.2f us   %-40s %12.2f us   ratio %6.2f\n", name, ms / 1000, baselineName, mb / 1000, ms / mb);
}

}  // namespace vx::bench
