#include "core/power_plan_tweak.h"

#include <algorithm>

#include "platform/power.h"

namespace vx {

namespace {

// Only a successful enumeration that lacks the plan counts; when the schemes cannot be listed
// (Wine) the plan is assumed to be there.
bool highPerformanceMissing() {
  const auto schemes = powerSchemes();
  return schemes && std::find(schemes->begin(), schemes->end(), kHighPerformanceScheme) == schemes->end();
}

constexpr TweakInfo kPowerPlanInfo{
    L"power.high", L"План питания: Высокая производительность",
    L"Активирует встроенный план Windows «Высокая производительность» для максимальной отзывчивости. "
    L"Откат — план «Сбалансированная».",
    TweakCategory::Performance};

}  // namespace

HighPerformancePlanTweak::HighPerformancePlanTweak() : DescribedTweak(kPowerPlanInfo) {}

TweakState HighPerformancePlanTweak::queryState() {
  if (highPerformanceMissing()) return TweakState::Unavailable;
  const auto active = activePowerScheme();
  if (!active) return TweakState::Undetermined;
  return *active == kHighPerformanceScheme ? TweakState::Applied : TweakState::NotApplied;
}

bool HighPerformancePlanTweak::apply() { return setActivePowerScheme(kHighPerformanceScheme); }

// The plan that was active before apply is not remembered.
bool HighPerformancePlanTweak::revert() { return setActivePowerScheme(kBalancedScheme); }

std::wstring HighPerformancePlanTweak::compatibilityNote() const {
  return highPerformanceMissing() ? L"В системе нет плана «Высокая производительность»" : L"";
}

TweakChanges HighPerformancePlanTweak::changes() {
  TweakChange change;
  change.kind = ChangeKind::PowerScheme;
  change.onApply = RegValueImage::string(guidText(kHighPerformanceScheme));
  change.onRevert = RegValueImage::string(guidText(kBalancedScheme));
  return {change};
}

}  // namespace vx
