// Search across every tweak from the header's search box: which tweaks match the typed text (title,
// description or id, without case, Cyrillic included), the search page's title, and what the box's
// keys and edits do to the window. Called by the window procedure (the box's EN_CHANGE, Ctrl+F,
// Esc), the page painter and the card actions.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/tweak.h"
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

inline constexpr const wchar_t* kSearchCueText = L"Поиск твиков";

// The tweaks whose title, description or id contains the text ignoring case (base/text.h's
// folding), in catalogue order. Blanks around the text are ignored; nothing for blank text.
std::vector<TweakPtr> searchMatches(const TweakCatalog& catalog, std::wstring_view text);

// "Поиск: «text»"
std::wstring searchTitle(const std::wstring& text);

// The box's text changed: a non-blank text shows the search page over the page that was open
// (its scroll kept for the return), blank text returns to that page.
void onSearchTextChanged(UiState& state, WindowHost& host, const std::wstring& text);

// Leaves the search: the box is emptied and the page that was open comes back.
void clearSearch(UiState& state, WindowHost& host);

enum class WindowKey { F, Escape, Other };

// A key pressed anywhere in the window (the message loop asks before IsDialogMessageW): Ctrl+F
// puts the focus into the search box, Esc leaves a search. True when the key was used.
bool onWindowKey(UiState& state, WindowHost& host, WindowKey key, bool ctrl);

}  // namespace vx::ui
