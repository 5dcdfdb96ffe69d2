// On the simulated machine a pause moves the clocks on at once; programs and a returning shell
// that are due by then take effect.
#include "platform/pause.h"

#include "platform/sim/machine.h"

namespace vx {

void pauseMs(std::uint32_t ms) { sim::machine().advanceMs(ms); }

}  // namespace vx
