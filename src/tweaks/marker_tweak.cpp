#include "tweaks/marker_tweak.h"

namespace vx {

MarkerTweak::MarkerTweak(const MarkerRow& row) : DescribedTweak(row.info), markerName(row.marker), steps(row.steps) {}

TweakState MarkerTweak::queryState() {
  const auto marker = regReadDword(RegRoot::LocalMachine, kMarkerKey, markerName);
  return marker && *marker == 1 ? TweakState::Applied : TweakState::NotApplied;
}

bool MarkerTweak::apply() {
  const bool done = runApplySteps(steps);
  if (done) regWriteDword(RegRoot::LocalMachine, kMarkerKey, markerName, 1);
  return done;
}

bool MarkerTweak::revert() {
  if (!runRevertSteps(steps)) return false;
  return regDeleteValue(RegRoot::LocalMachine, kMarkerKey, markerName);
}

TweakChanges MarkerTweak::changes() {
  TweakChanges list = describeToolSteps(steps);
  list.push_back(registryChange(RegRoot::LocalMachine, kMarkerKey, markerName, RegValueImage::dword(1),
                                RegValueImage::absent()));
  return list;
}

}  // namespace vx
