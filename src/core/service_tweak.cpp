#include "core/service_tweak.h"

#include "platform/services.h"

namespace vx {

ServiceTweak::ServiceTweak(const ServiceRow& row)
    : DescribedTweak(row.info),
      serviceName(row.service),
      appliedStartType(row.appliedStartType),
      revertStartType(row.revertStartType) {}

TweakState ServiceTweak::queryState() {
  if (!serviceExists(serviceName)) return TweakState::Unavailable;
  const int start = serviceStartType(serviceName);
  if (start < 0) return TweakState::Undetermined;
  return static_cast<std::uint32_t>(start) == appliedStartType ? TweakState::Applied : TweakState::NotApplied;
}

bool ServiceTweak::apply() {
  if (!serviceExists(serviceName)) return false;
  if (appliedStartType == kServiceDisabled) stopService(serviceName);  // not waited for
  return setServiceStartType(serviceName, appliedStartType);
}

bool ServiceTweak::revert() {
  if (!serviceExists(serviceName)) return false;
  return setServiceStartType(serviceName, revertStartType);
}

TweakChanges ServiceTweak::changes() {
  if (!serviceExists(serviceName)) return {};
  return {serviceStartChange(serviceName, appliedStartType, revertStartType)};
}

}  // namespace vx
