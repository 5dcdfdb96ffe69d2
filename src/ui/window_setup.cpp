#include "ui/window_setup.h"

#include "catalog/build_catalog.h"
#include "core/user_account.h"
#include "ui/theme.h"

namespace vx::ui {

void buildCatalogueAndSidebar(UiState& state) {
  state.catalogue = buildCatalog();
  state.sidebar = sidebarEntries();
  // Said once: the next status replaces it, while the cards keep showing those tweaks unavailable.
  if (runsAsAnotherAccount()) state.setStatus(kAnotherAccountStatus, kColorWarning);
}

void takeHardwareSnapshot(UiState& state) {
  refreshHardwareProfile(state.hardware);
  state.driverCards = readGpuDriverInfo();
}

void greetInChat(UiState& state) { state.chat.push_back(ChatMessage{false, kAssistantGreeting, {}}); }

}  // namespace vx::ui
