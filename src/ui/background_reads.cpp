#include "ui/background_reads.h"

#include "ui/journal_page.h"
#include "ui/title_tooltip.h"

namespace vx::ui {

void onBackgroundReadsReady(UiState& state, WindowHost& host) {
  onChangePreviewReady(state, host);
  onJournalRead(state, host);
}

}  // namespace vx::ui
