// Probes of the running window from another process, by message round trips (a window answers a
// sent WM_NULL only when its UI thread is free):
//   vx_window_probe stall OUTFILE            waits for the main window, then sends WM_NULL every
//                                            10 ms until the window is gone; writes the longest
//                                            round trip and every one over 50 ms (with its time)
//   vx_window_probe startup ROUNDS EXE CLASS EXE CLASS
//                                            process start -> first painted frame (the first
//                                            answered WM_NULL comes after UpdateWindow's paint),
//                                            median of the rounds for each program and the ratio
//   vx_window_probe wheel X Y DELTA COUNT    posts COUNT WM_MOUSEWHEEL messages of DELTA at the
//                                            client point (X, Y), as a precision touchpad sends them
//                                            (xdotool only knows whole notches)
//   vx_window_probe close [CLASS]            posts WM_CLOSE to the main window (or to the window of
//                                            that class) and reports how long its process takes to end
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

HWND waitForWindow(const wchar_t* className, double timeoutMs) {
  const double start = nowMs();
  while (nowMs() - start < timeoutMs) {
    if (HWND w = FindWindowW(className, nullptr)) return w;
    Sleep(1);
  }
  return nullptr;
}

int stall(const wchar_t* outFile) {
  HWND window = waitForWindow(L"VantorixMainWnd", 120000);
  if (!window) return 1;
  const double start = nowMs();
  double longest = 0;
  long rounds = 0;
  std::wstring slow;
  while (IsWindow(window)) {
    const double t0 = nowMs();
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer)) break;
    const double took = nowMs() - t0;
    ++rounds;
    longest = std::max(longest, took);
    if (took > 50) slow += L" " + std::to_wstring(static_cast<int>(took)) + L" ms at " +
                           std::to_wstring(static_cast<int>((t0 - start) / 100) / 10.0).substr(0, 5) + L" s;";
    Sleep(10);
  }
  FILE* out = _wfopen(outFile, L"w");
  if (!out) return 1;
  fwprintf(out, L"longest round trip %.1f ms over %ld probes in %.1f s; over 50 ms:%ls\n", longest, rounds,
           (nowMs() - start) / 1000.0, slow.empty() ? L" none" : slow.c_str());
  fclose(out);
  return 0;
}

double startOnce(const std::wstring& exe, const wchar_t* className) {
  std::wstring line = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double t0 = nowMs();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  double took = -1;
  if (HWND window = waitForWindow(className, 60000)) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer)) took = nowMs() - t0;
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return took;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

int startup(int rounds, const std::wstring& exe, const wchar_t* cls, const std::wstring& bareExe, const wchar_t* bareCls) {
  std::vector<double> app, bare;
  for (int i = 0; i < rounds; ++i) {  // alternating which goes first, so both see the same conditions
    if (i % 2 == 0) bare.push_back(startOnce(bareExe, bareCls));
    app.push_back(startOnce(exe, cls));
    if (i % 2 == 1) bare.push_back(startOnce(bareExe, bareCls));
  }
  const double a = median(app), b = median(bare);
  wprintf(L"start -> first frame: Vantorix %.0f ms, bare window %.0f ms, ratio %.2f (median of %d)\n", a, b, a / b, rounds);
  return a > 0 && b > 0 ? 0 : 1;
}

int wheel(int x, int y, int delta, int count) {
  HWND window = waitForWindow(L"VantorixMainWnd", 20000);
  if (!window) return 1;
  POINT at{x, y};
  ClientToScreen(window, &at);
  for (int i = 0; i < count; ++i) {
    const WPARAM wParam = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta)));
    if (!PostMessageW(window, WM_MOUSEWHEEL, wParam, MAKELPARAM(at.x, at.y))) return 1;
    Sleep(30);
  }
  return 0;
}

int closeWindow(const wchar_t* className) {
  HWND window = waitForWindow(className, 20000);
  if (!window) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return 1;
  const double t0 = nowMs();
  PostMessageW(window, WM_CLOSE, 0, 0);
  const DWORD waited = WaitForSingleObject(process, 20000);
  const double took = nowMs() - t0;
  CloseHandle(process);
  if (waited != WAIT_OBJECT_0) {
    wprintf(L"WM_CLOSE -> process end: not within 20 s\n");
    return 1;
  }
  wprintf(L"WM_CLOSE -> process end: %.0f ms\n", took);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"stall") return stall(argv[2]);
  if (argc == 7 && std::wstring(argv[1]) == L"startup") return startup(_wtoi(argv[2]), argv[3], argv[4], argv[5], argv[6]);
  if (argc == 6 && std::wstring(argv[1]) == L"wheel")
    return wheel(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  if ((argc == 2 || argc == 3) && std::wstring(argv[1]) == L"close")
    return closeWindow(argc == 3 ? argv[2] : L"VantorixMainWnd");
  fwprintf(stderr, L"usage: vx_window_probe stall OUTFILE | startup ROUNDS EXE CLASS EXE CLASS | wheel X Y DELTA COUNT | close [CLASS]\n");
  return 2;
}
