// Waiting a while on the host's clock, for the one-shot actions that wait for Windows to do
// something by itself (the Explorer restart). Implemented by win32/ (a real sleep) and sim/
// (the simulated clocks move on, so tests do not sleep).
#pragma once
#include <cstdint>

namespace vx {

void pauseMs(std::uint32_t ms);

}  // namespace vx
