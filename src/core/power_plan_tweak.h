// The High performance power plan as a tweak; revert always activates Balanced. On a machine
// without that plan (many Modern Standby laptops have only Balanced) the tweak is unavailable.
#pragma once
#include "core/described_tweak.h"

namespace vx {

class HighPerformancePlanTweak : public DescribedTweak {
 public:
  HighPerformancePlanTweak();

  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  std::wstring compatibilityNote() const override;
  TweakChanges changes() override;
};

}  // namespace vx
