#include "tweaks/marker_tweak.h"

namespace vx {

MarkerTweak::MarkerTweak(const TweakInfo& info, const wchar_t* markerName)
    : DescribedTweak(info), markerName_(markerName) {}

TweakState MarkerTweak::queryState() {
  const auto marker = regReadDword(RegRoot::LocalMachine, kMarkerKey, markerName_);
  return marker && *marker == 1 ? TweakState::Applied : TweakState::NotApplied;
}

bool MarkerTweak::writeMarker() const { return regWriteDword(RegRoot::LocalMachine, kMarkerKey, markerName_, 1); }

bool MarkerTweak::deleteMarker() const { return regDeleteValue(RegRoot::LocalMachine, kMarkerKey, markerName_); }

}  // namespace vx
