// Generic tweak that sets the start type of one Windows service (disabling stops it first), built
// from a row: the header, the service and the start types after apply and after revert.
#pragma once
#include <cstdint>
#include <string>

#include "core/described_tweak.h"
#include "platform/services.h"

namespace vx {

struct ServiceRow {
  TweakInfo info;
  const wchar_t* service = L"";
  std::uint32_t appliedStartType = kServiceDisabled;
  std::uint32_t revertStartType = kServiceAutoStart;
};

class ServiceTweak : public DescribedTweak {
 public:
  // row must outlive the tweak (constant tables).
  explicit ServiceTweak(const ServiceRow& row);

  TweakState queryState() override;  // Unavailable when the service is missing
  bool apply() override;
  bool revert() override;            // sets the start type only; the service is not started
  TweakChanges changes() override;   // nothing while the service is missing

  const std::wstring serviceName;
  const std::uint32_t appliedStartType;
  const std::uint32_t revertStartType;
};

}  // namespace vx
