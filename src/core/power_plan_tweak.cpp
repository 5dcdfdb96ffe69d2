#include "core/power_plan_tweak.h"

#include "platform/power.h"

namespace vx {

HighPerformancePlanTweak::HighPerformancePlanTweak()
    : Tweak(L"power.high", L"План питания: Высокая производительность",
            L"Активирует встроенный план Windows «Высокая производительность» для максимальной отзывчивости. "
            L"Откат — план «Сбалансированная».",
            TweakCategory::Performance) {}

TweakState HighPerformancePlanTweak::queryState() {
  const auto active = activePowerScheme();
  if (!active) return TweakState::Undetermined;
  return *active == kHighPerformanceScheme ? TweakState::Applied : TweakState::NotApplied;
}

bool HighPerformancePlanTweak::apply() { return setActivePowerScheme(kHighPerformanceScheme); }

// The plan that was active before apply is not remembered.
bool HighPerformancePlanTweak::revert() { return setActivePowerScheme(kBalancedScheme); }

}  // namespace vx
