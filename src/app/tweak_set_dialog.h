// The standard Windows save and open dialogs for a tweak set file (IFileSaveDialog /
// IFileOpenDialog, filter "Набор твиков Vantorix (*.json)"). Called by the window host for the
// journal page's "Сохранить набор" and "Загрузить набор" on the UI thread, which lives in COM's
// single-threaded apartment (wWinMain).
#pragma once
#include <windows.h>

#include <string>

namespace vx::app {

inline constexpr const wchar_t* kTweakSetFilterName = L"Набор твиков Vantorix (*.json)";

// The chosen file's path; empty when the user cancelled or the dialog could not be shown.
std::wstring chooseTweakSetFile(HWND owner, bool save);

}  // namespace vx::app
