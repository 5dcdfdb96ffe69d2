#include "ui/background_reads.h"

#include "ui/title_tooltip.h"

namespace vx::ui {

void onBackgroundReadsReady(UiState& state, WindowHost& host) {
  onChangePreviewReady(state, host);
}

}  // namespace vx::ui
