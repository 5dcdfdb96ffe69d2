// Vantorix.exe: per-monitor DPI awareness, COM for the process, common controls, the window class
// and the main window (1280 x 820 at 96 DPI, grown with the monitor's DPI) with a dark title bar,
// and the message loop (IsDialogMessageW first, so the input box gets keyboard navigation). One
// window per session: a second Vantorix.exe brings the running window to the front and exits.
#include <windows.h>

#include <commctrl.h>

#include "app/main_window.h"
#include "app/window_messages.h"
#include "platform/com.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_api.h"
#include "ui/layout.h"

namespace {

void becomePerMonitorDpiAware() {
  const auto setContext = vx::win32::nativeFunction(vx::win32::native::kSetProcessDpiAwarenessContext);
  if (setContext) setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // FALSE when the manifest already set it
}

void askForDarkTitleBar(HWND window) {
  const auto setAttribute = vx::win32::nativeFunction(vx::win32::native::kDwmSetWindowAttribute);
  const BOOL dark = TRUE;
  if (setAttribute) setAttribute(window, 20 /* DWMWA_USE_IMMERSIVE_DARK_MODE */, &dark, sizeof(dark));
}

// Named per session: the first process creates it and keeps it until it ends.
constexpr const wchar_t* kInstanceMutex = L"Local\\Vantorix.Window";

// The running window to the front (restored when minimised); it may not exist yet when the first
// process is still starting, and then there is nothing to show.
void showRunningWindow() {
  HWND running = FindWindowW(vx::app::kWindowClassName, nullptr);
  if (running == nullptr) return;
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const vx::win32::UniqueHandle instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutex));
  if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    showRunningWindow();
    return 0;
  }
  becomePerMonitorDpiAware();
  // The UI thread lives as long as the process and owns the window: COM in a single-threaded
  // apartment, with the process's COM security set once, before anything uses COM.
  vx::initialiseProcessCom(vx::ComModel::ApartmentThreaded);
  INITCOMMONCONTROLSEX controls{8, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = vx::app::mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = vx::app::kWindowClassName;
  if (!RegisterClassExW(&windowClass)) return 1;

  HWND window = CreateWindowExW(0, vx::app::kWindowClassName, L"Vantorix", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, vx::ui::kMainWindowDip.width, vx::ui::kMainWindowDip.height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  vx::app::fitMainWindowToMonitor(window);
  askForDarkTitleBar(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (vx::app::handleWindowKey(message)) continue;  // Ctrl+F, before the dialog keys
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
