#include "ui/window_setup.h"

#include "catalog/build_catalog.h"

namespace vx::ui {

void buildCatalogueAndSidebar(UiState& state) {
  state.catalogue = buildCatalog();
  state.sidebar = sidebarEntries();
}

void takeHardwareSnapshot(UiState& state) {
  refreshHardwareProfile(state.hardware);
  state.driverCards = readGpuDriverInfo();
}

void greetInChat(UiState& state) { state.chat.push_back(ChatMessage{false, kAssistantGreeting, {}}); }

}  // namespace vx::ui
