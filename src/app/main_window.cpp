#include "app/main_window.h"

#include <windowsx.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/input_box.h"
#include "app/job_message.h"
#include "app/search_box.h"
#include "app/window_host_win32.h"
#include "app/window_messages.h"
#include "assistant/memory_file.h"
#include "base/process_wide.h"
#include "platform/win32/native_api.h"
#include "services/booster_engine.h"
#include "services/resource_monitor.h"
#include "ui/gdi/gdi_canvas.h"
#include "ui/input_handlers.h"
#include "ui/journal_page.h"
#include "ui/jobs.h"
#include "ui/layout.h"
#include "ui/painters.h"
#include "ui/refresh_tick.h"
#include "ui/send_question.h"
#include "ui/state_refresher.h"
#include "ui/background_reads.h"
#include "ui/title_tooltip.h"
#include "ui/tweak_search.h"
#include "ui/window_setup.h"

namespace vx::app {

namespace {

// Everything of the window that is not UiState: the GDI fonts, the timer, the refresher.
struct WindowParts {
  ui::gdi::GdiFonts fonts;
  UINT_PTR timer = 0;
  std::unique_ptr<ui::StateRefresher> refresher;
  bool firstFramePosted = false;
  bool threadsStarted = false;
};

ui::UiState& uiState() { return processWide<ui::UiState>(); }
WindowParts& parts() { return processWide<WindowParts>(); }

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, ui::gdi::GdiObjectDeleter>;

std::optional<TweakCategory> visibleCategory(const ui::SidebarEntry& entry) {
  if (entry.kind != ui::PageKind::Category) return std::nullopt;
  return entry.category;
}

void onCreate(HWND window) {
  ui::UiState& ui = uiState();
  WindowParts& p = parts();
  Win32WindowHost& host = windowHost();
  host.attach(window);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  ui.dpi = windowDpi(window);
  p.fonts.create(ui.dpi);
  ui::buildCatalogueAndSidebar(ui);
  // The paint must leave the input box's area alone, or every repaint (1.5 s timer) flickers over
  // the edit control.
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
  ui::takeHardwareSnapshot(ui);
  p.timer = SetTimer(window, kRefreshTimerId, kRefreshPeriodMs, nullptr);
  if (!host.inputBox())
    host.setInputBox(createInputBox(window, instance, p.fonts.get(ui::FontId::Body),
                                    [] { ui::sendQuestion(uiState(), windowHost()); }));
  if (!host.searchBox())
    host.setSearchBox(createSearchBox(window, instance, p.fonts.get(ui::FontId::Body), [] {
      ui::onWindowKey(uiState(), windowHost(), ui::WindowKey::Escape, false);
    }));
  p.refresher = std::make_unique<ui::StateRefresher>(ui.catalogue, *ui.states, [] { windowHost().postStatesChanged(); });
  ui.onPageChosen = [](const ui::SidebarEntry& entry) {
    if (parts().refresher) parts().refresher->setVisibleCategory(visibleCategory(entry));
  };
  if (const ui::SidebarEntry* entry = ui.currentEntry()) p.refresher->setVisibleCategory(visibleCategory(*entry));
  // A card's changes and the journal are read on the refresher's thread, never on this one.
  ui.runOffUiThread = [](std::function<void()> task) {
    if (parts().refresher) parts().refresher->post(std::move(task));
  };
  ui.readsReady = [window] { PostMessageW(window, kWmReadsReady, 0, 0); };
  ui::requestJournalRead(ui);  // for Home's drift line; runs once the refresher starts
  ui.titleTooltip.startTimer = [window](int ms) { SetTimer(window, kTitleTooltipTimerId, static_cast<UINT>(ms), nullptr); };
  ui.booster = &BoosterEngine::instance();  // off until its button starts it
  ui.monitorSnapshot = [] { return ResourceMonitor::instance().snapshot(); };
  ui::greetInChat(ui);
  const ui::SidebarEntry* entry = ui.currentEntry();
  host.showInputBox(entry && entry->kind == ui::PageKind::Assistant);
}

// The refresher and the monitor start once the first frame is on screen: until then they would
// only compete with it for the CPU and the wineserver (the score shows "—" meanwhile). The
// assistant's memory is loaded then too. The first paint posts the message that starts them, so
// that the frame reaches the screen and the message loop answers before this work runs.
void startBackgroundThreadsOnce() {
  WindowParts& p = parts();
  if (p.threadsStarted) return;
  p.threadsStarted = true;
  // The memory's folder is made private (owner and DACL on everything in it) before memory.json is
  // read: file-system work that grows with the backups kept, so it too waits for the first frame.
  ui::UiState& ui = uiState();
  ui.memoryFile = memoryPath();
  ui.memory = &assistantMemory();
  if (p.refresher) p.refresher->start();
  ResourceMonitor::instance().start();
}

void onDestroy(HWND window) {
  WindowParts& p = parts();
  ui::UiState& ui = uiState();
  BoosterEngine::instance().stop();
  ResourceMonitor::instance().stop();
  // The refresher may be inside a slow query: it is not waited for. It lives in the process-wide
  // parts (never destroyed), like the cache and the host it reports to.
  if (p.refresher) p.refresher->stopWithoutWaiting();
  if (ui.memory) saveMemory(*ui.memory, ui.memoryFile);
  if (p.timer) KillTimer(window, p.timer);
  p.timer = 0;
  p.fonts.destroy();
  PostQuitMessage(0);
}

// The off-screen bitmap of the paints, kept while the client size stays the same.
struct BackBuffer {
  UniqueDc dc;
  ui::gdi::UniqueBitmap bitmap;
  HGDIOBJ original = nullptr;  // the DC's own bitmap, selected back before ours is freed
  int width = 0;
  int height = 0;
};

HDC backBuffer(HDC windowDc, int width, int height) {
  static BackBuffer& back = processWide<BackBuffer>();
  if (back.dc && back.bitmap && back.width == width && back.height == height) return back.dc.get();
  if (back.dc && back.original) SelectObject(back.dc.get(), back.original);
  back.bitmap.reset();
  back.dc.reset(CreateCompatibleDC(windowDc));
  back.bitmap.reset(CreateCompatibleBitmap(windowDc, width, height));
  if (!back.dc || !back.bitmap) return nullptr;
  back.original = SelectObject(back.dc.get(), back.bitmap.get());
  back.width = width;
  back.height = height;
  return back.dc.get();
}

// Every painter runs (the hit regions describe the whole window), but drawing is limited to the
// update region and only that part is copied to the window: a timer tick that changed one tile
// costs that tile, not the window.
void onPaint(HWND window) {
  const UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
  const bool hasUpdate = update && GetUpdateRgn(window, update.get(), FALSE) > NULLREGION;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  const int w = client.right - client.left, h = client.bottom - client.top;
  if (HDC memory = w > 0 && h > 0 ? backBuffer(dc, w, h) : nullptr) {
    const int saved = SaveDC(memory);
    // The canvas sets and clears its own clip; the meta region stays underneath it.
    if (hasUpdate) SelectClipRgn(memory, update.get());
    SetMetaRgn(memory);
    {
      ui::gdi::GdiCanvas canvas(memory, parts().fonts);
      ui::paintWindow(canvas, uiState(), w, h);
    }
    RestoreDC(memory, saved);
    if (!uiState().inputBoxRect.empty()) windowHost().placeInputBox(uiState().inputBoxRect);
    if (!uiState().searchBoxRect.empty()) windowHost().placeSearchBox(uiState().searchBoxRect);
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top, SRCCOPY);
  }
  EndPaint(window, &ps);
  if (!parts().firstFramePosted) {
    parts().firstFramePosted = true;
    PostMessageW(window, kWmFirstFrameShown, 0, 0);
  }
}

void onJobDone(WPARAM wParam, LPARAM lParam) {
  JobDone done = takeJobDone(wParam, lParam);
  ui::onJobDone(uiState(), windowHost(), done.text.get(), done.flags);
}

void onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  ui::UiState& ui = uiState();
  ui.dpi = HIWORD(wParam);
  parts().fonts.create(ui.dpi);
  for (HWND box : {windowHost().inputBox(), windowHost().searchBox()})
    if (box) SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(parts().fonts.get(ui::FontId::Body)), TRUE);
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  windowHost().invalidate();
}

ui::Rect workAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT& r = monitor.rcWork;
  return {r.left, r.top, r.right, r.bottom};
}

// The frame's share of the outer size: the window rectangle less the client area. Nothing while
// the window is being created and has no client area yet (the first WM_GETMINMAXINFO).
ui::Size frameSize(HWND window) {
  RECT outer, client;
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
    return {};
  return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

void onGetMinMaxInfo(HWND window, MINMAXINFO* info) {
  const ui::Size minimum = ui::minimumWindowSize(frameSize(window), workAreaOf(window), windowDpi(window));
  info->ptMinTrackSize = {minimum.width, minimum.height};
}

HBRUSH inputBoxBrush() {
  static const HBRUSH brush = CreateSolidBrush(RGB(38, 38, 52));  // kept for the life of the process
  return brush;
}

}  // namespace

int windowDpi(HWND window) {
  static const auto getDpi = win32::nativeFunction(win32::native::kGetDpiForWindow);
  const UINT dpi = getDpi ? getDpi(window) : 0;
  return dpi ? static_cast<int>(dpi) : 96;
}

bool handleWindowKey(const MSG& message) {
  if (!isSearchShortcut(message)) return false;
  return ui::onWindowKey(uiState(), windowHost(), ui::WindowKey::F, true);
}

void fitMainWindowToMonitor(HWND window) {
  RECT placed;
  if (!GetWindowRect(window, &placed)) return;
  const ui::Rect r = ui::mainWindowRect({placed.left, placed.top, placed.right, placed.bottom}, workAreaOf(window),
                                        windowDpi(window));
  SetWindowPos(window, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ui::UiState& ui = uiState();
  Win32WindowHost& host = windowHost();
  switch (message) {
    case WM_CREATE: onCreate(window); return 0;
    case WM_DESTROY: onDestroy(window); return 0;
    case WM_SIZE: host.invalidate(); return 0;
    case WM_PAINT: onPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
      if (wParam == kTitleTooltipTimerId) {
        KillTimer(window, kTitleTooltipTimerId);  // one-shot
        ui::onTitleTooltipTimer(ui, host);
        return 0;
      }
      // Minimised, nothing of it is on screen; restoring repaints everything (WM_SIZE).
      if (!IsIconic(window)) ui::onRefreshTick(ui, host);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kSearchBoxId && HIWORD(wParam) == EN_CHANGE) {
        ui::onSearchTextChanged(ui, host, host.searchText());
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
      // Both edit controls are drawn in the control colour (kColorControl).
      if (reinterpret_cast<HWND>(lParam) == host.inputBox() || reinterpret_cast<HWND>(lParam) == host.searchBox()) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(38, 38, 52));
        SetTextColor(dc, RGB(245, 245, 252));
        return reinterpret_cast<LRESULT>(inputBoxBrush());
      }
      break;
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
      TrackMouseEvent(&track);
      ui::onMouseMove(ui, host, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(window);
      ui::onClick(ui, host, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEWHEEL: {
      RECT client;
      GetClientRect(window, &client);
      ui.clientHeight = client.bottom - client.top;
      // The wheel's position comes in screen coordinates.
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(window, &at);
      ui::onMouseWheel(ui, host, GET_WHEEL_DELTA_WPARAM(wParam), {at.x, at.y});
      return 0;
    }
    case WM_MOUSELEAVE:
      ui::hideTitleTooltip(ui, host);
      if (ui.hoverIndex != -1) {
        ui.hoverIndex = -1;
        host.invalidate();
      }
      return 0;
    case WM_DPICHANGED: onDpiChanged(window, wParam, lParam); return 0;
    case WM_GETMINMAXINFO:
      // Asked again on every resize, so the minimum follows a change of DPI.
      onGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case kWmJobDone: onJobDone(wParam, lParam); return 0;
    case kWmStatesChanged: ui::onStatesChanged(ui, host); return 0;
    case kWmFirstFrameShown: startBackgroundThreadsOnce(); return 0;
    case kWmReadsReady: ui::onBackgroundReadsReady(ui, host); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return handleMessage(window, message, wParam, lParam);
  } catch (...) {
    // Out of memory in a handler: that one action is lost, but nothing may unwind through
    // user32's frames (the jobs clear their busy flag themselves).
    return 0;
  }
}

}  // namespace vx::app
