#include "cli/vxctl_process.h"

#include "platform/com.h"

namespace vx::cli {

// A console program has no windows, so its main thread joins the multithreaded apartment. A
// failure is not fatal: only restore points would miss the service's call back.
void prepareVxctlProcess() { initialiseProcessCom(ComModel::MultiThreaded); }

}  // namespace vx::cli
