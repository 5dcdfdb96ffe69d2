// The start-up yardstick: a bare Win32 window of the same size that paints one rectangle.
// vx_window_probe starts it next to Vantorix.exe and compares the time to the first frame.
#include <windows.h>

namespace {

LRESULT CALLBACK bareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      HBRUSH brush = CreateSolidBrush(RGB(13, 13, 18));
      FillRect(dc, &ps.rcPaint, brush);
      DeleteObject(brush);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = bareProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"VxBareWindow";
  if (!RegisterClassExW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, L"VxBareWindow", L"bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 1280, 820,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
