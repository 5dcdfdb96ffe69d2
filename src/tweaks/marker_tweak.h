// Tweaks that run a system tool whose effect cannot be read back cheaply (boot configuration,
// power plan, component store): they record a successful apply as a DWORD 1 under
// HKLM\SOFTWARE\Vantorix, and that marker is their state. Used by the advanced tweak groups.
#pragma once
#include "tweaks/described_tweak.h"

namespace vx {

inline constexpr const wchar_t* kMarkerKey = L"SOFTWARE\\Vantorix";

class MarkerTweak : public DescribedTweak {
 public:
  MarkerTweak(const TweakInfo& info, const wchar_t* markerName);

  // Applied exactly when the marker is a DWORD 1; never Undetermined.
  TweakState queryState() override;

 protected:
  bool writeMarker() const;
  bool deleteMarker() const;

 private:
  const wchar_t* markerName_;
};

}  // namespace vx
