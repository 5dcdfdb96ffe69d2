#include "platform/pause.h"

#include <windows.h>

namespace vx {

void pauseMs(std::uint32_t ms) { Sleep(ms); }

}  // namespace vx
