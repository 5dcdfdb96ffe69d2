#include "ui/window_setup.h"

#include "catalog/build_catalog.h"
#include "core/user_account.h"
#include "ui/jobs.h"
#include "ui/theme.h"

namespace vx::ui {

void buildCatalogueAndSidebar(UiState& state) {
  state.catalogue = buildCatalog();
  state.sidebar = sidebarEntries();
}

void takeHardwareSnapshot(UiState& state) {
  refreshHardwareProfile(state.hardware);
  state.driverCards = readGpuDriverInfo();
}

void onStatesChanged(UiState& state, WindowHost& host) {
  rebuildRecommendations(state);
  // Said once, and not over a running job's progress text: the next status replaces it, while the
  // cards keep showing those tweaks unavailable.
  if (!state.accountNoted && state.busy.load() == 0) {
    if (const std::optional<bool> another = accountDecisionIfTaken()) {
      state.accountNoted = true;
      if (*another) state.setStatus(kAnotherAccountStatus, kColorWarning);
    }
  }
  host.invalidate();
}

void greetInChat(UiState& state) { state.chat.push_back(ChatMessage{false, kAssistantGreeting, {}}); }

}  // namespace vx::ui
