// Emptying every drive's recycle bin through shell32.
#include "platform/recycle_bin.h"

#include <windows.h>
#include <shellapi.h>

namespace vx {

std::int32_t emptyRecycleBins() {
  return static_cast<std::int32_t>(
      SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
}

}  // namespace vx
