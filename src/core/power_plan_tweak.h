// The High performance power plan as a tweak; revert always activates Balanced.
#pragma once
#include "core/tweak.h"

namespace vx {

class HighPerformancePlanTweak : public Tweak {
 public:
  HighPerformancePlanTweak();

  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
};

}  // namespace vx
