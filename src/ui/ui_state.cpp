#include "ui/ui_state.h"

#include <system_error>
#include <thread>

namespace vx::ui {

std::vector<SidebarEntry> sidebarEntries() {
  using C = TweakCategory;
  return {
      {PageKind::Home, C::Performance, L"Главная", L"\U0001F3E0"},
      {PageKind::Assistant, C::Performance, L"AI-ассистент", L"\u2728"},
      {PageKind::Category, C::Performance, L"Производительность", L"\u26A1"},
      {PageKind::Category, C::Games, L"Игры", L"\U0001F3AE"},
      {PageKind::Category, C::Privacy, L"Конфиденциальность", L"\U0001F512"},
      {PageKind::Category, C::Network, L"Сеть", L"\U0001F310"},
      {PageKind::Category, C::System, L"Система", L"\u2699"},
      {PageKind::Category, C::Cleanup, L"Очистка", L"\U0001F9F9"},
      {PageKind::Category, C::Pro, L"Pro", L"\U0001F451"},
  };
}

bool startDetachedWorker(std::function<void()> body) {
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (...) {
    return false;  // no thread (std::system_error) or no memory for it
  }
}

void UiState::setStatus(const std::wstring& text, Color color) {
  if (&text != &statusText) statusText = text;
  statusColor = color;
}

const SidebarEntry* UiState::currentEntry() const {
  if (currentPage < 0 || currentPage >= static_cast<int>(sidebar.size())) return nullptr;
  return &sidebar[currentPage];
}

}  // namespace vx::ui
