#include "ui/tweak_search.h"

#include "base/text.h"

namespace vx::ui {

namespace {

std::wstring_view trimmed(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u00A0'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<TweakPtr> searchMatches(const TweakCatalog& catalog, std::wstring_view text) {
  const std::wstring_view needle = trimmed(text);
  std::vector<TweakPtr> found;
  if (needle.empty()) return found;
  for (const TweakPtr& tweak : catalog)
    if (tweak && (containsFolded(tweak->title, needle) || containsFolded(tweak->description, needle) ||
                  containsFolded(tweak->id, needle)))
      found.push_back(tweak);
  return found;
}

std::wstring searchTitle(const std::wstring& text) { return L"Поиск: «" + text + L"»"; }

void onSearchTextChanged(UiState& state, WindowHost& host, const std::wstring& text) {
  const bool wasSearching = state.searching();
  const std::wstring query(trimmed(text));
  if (query == state.searchText) return;
  if (!wasSearching) state.scrollBeforeSearch = state.scrollOffset;
  state.searchText = query;
  state.searchResults = searchMatches(state.catalogue, query);
  state.scrollOffset = state.searching() ? 0 : state.scrollBeforeSearch;
  state.hoverIndex = -1;
  state.tooltipIndex = -1;
  state.tooltipText.clear();
  host.invalidate();
}

void clearSearch(UiState& state, WindowHost& host) {
  host.clearSearchText();
  onSearchTextChanged(state, host, L"");
}

bool onWindowKey(UiState& state, WindowHost& host, WindowKey key, bool ctrl) {
  if (key == WindowKey::F && ctrl) {
    host.focusSearchBox();
    return true;
  }
  if (key == WindowKey::Escape && (state.searching() || !host.searchText().empty())) {
    clearSearch(state, host);
    return true;
  }
  return false;
}

}  // namespace vx::ui
