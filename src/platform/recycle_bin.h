// Emptying the recycle bin of every drive (SHEmptyRecycleBinW without confirmation, progress or
// sound). Used by the maintenance actions; implemented by win32/ (shell32) and sim/.
#pragma once
#include <cstdint>

namespace vx {

constexpr std::int32_t kHresultOk = 0;

// The HRESULT the shell answers: 0 (S_OK) when the bins were emptied; an empty bin and a missing
// bin answer other values.
std::int32_t emptyRecycleBins();

}  // namespace vx
