#include "core/service_tweak.h"

#include "platform/services.h"

namespace vx {

ServiceTweak::ServiceTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category,
                           std::wstring serviceName, std::uint32_t appliedStartType, std::uint32_t revertStartType)
    : Tweak(std::move(id), std::move(title), std::move(description), category),
      serviceName(std::move(serviceName)),
      appliedStartType(appliedStartType),
      revertStartType(revertStartType) {}

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
