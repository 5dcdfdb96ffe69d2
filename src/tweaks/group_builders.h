// The builders of the advanced system tweak groups. The catalogue builder calls each at its fixed
// position; a builder only appends to the list it is given.
#pragma once
#include "core/tweak.h"

namespace vx {

void appendInterruptGroup(TweakCatalog& catalog);       // device interrupts and PCIe power
void appendLatencyGroup(TweakCatalog& catalog);         // latency, timers and GPU
void appendExtendedGroup(TweakCatalog& catalog);        // deeper "pro." system tweaks
void appendServiceUpdateGroup(TweakCatalog& catalog);   // Windows services and updates
void appendNetworkAdapterGroup(TweakCatalog& catalog);  // per network adapter settings

}  // namespace vx
