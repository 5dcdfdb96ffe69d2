// The journal page's two buttons: "Сохранить набор" (the save dialog, then the applied tweaks are
// written as a set by a job) and "Загрузить набор" (the open dialog, the file checked and its dry
// run shown in a confirmation ending "Применить N твиков?", then the import as a job whose result
// goes to the status line). Called by the click dispatcher on the UI thread.
#pragma once
#include <string>

#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

inline constexpr const wchar_t* kSaveSetLabel = L"Сохранить набор";
inline constexpr const wchar_t* kLoadSetLabel = L"Загрузить набор";
inline constexpr const wchar_t* kLoadSetCaption = L"Загрузить набор";

void saveTweakSet(UiState& state, WindowHost& host);
void loadTweakSet(UiState& state, WindowHost& host);

// The confirmation's text: one line per id ("title — what"), then "Применить N твиков?".
std::wstring importConfirmationText(const std::vector<std::wstring>& lines, std::size_t toApply);

}  // namespace vx::ui
