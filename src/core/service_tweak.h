// Generic tweak that sets the start type of one Windows service (disabling stops it first).
#pragma once
#include <cstdint>
#include <string>

#include "core/tweak.h"

namespace vx {

class ServiceTweak : public Tweak {
 public:
  ServiceTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category,
               std::wstring serviceName, std::uint32_t appliedStartType, std::uint32_t revertStartType);

  TweakState queryState() override;  // Unavailable when the service is missing
  bool apply() override;
  bool revert() override;            // sets the start type only; the service is not started
  TweakChanges changes() override;   // nothing while the service is missing

  const std::wstring serviceName;
  const std::uint32_t appliedStartType;
  const std::uint32_t revertStartType;
};

}  // namespace vx
