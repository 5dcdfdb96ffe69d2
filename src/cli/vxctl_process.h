// What vxctl's main does once before it dispatches a verb: COM for the whole process in the
// multithreaded model, with the security that System Restore needs (platform/com.h).
#pragma once

namespace vx::cli {

void prepareVxctlProcess();

}  // namespace vx::cli
