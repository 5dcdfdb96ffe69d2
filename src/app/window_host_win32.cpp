#include "app/window_host_win32.h"

#include <vector>

#include "app/job_message.h"
#include "app/tweak_set_dialog.h"
#include "app/window_messages.h"
#include "base/process_wide.h"
#include "platform/shell.h"

namespace vx::app {

Win32WindowHost& windowHost() { return processWide<Win32WindowHost>(); }

void Win32WindowHost::invalidate() {
  if (HWND w = window_.load()) InvalidateRect(w, nullptr, FALSE);
}

void Win32WindowHost::invalidateRect(const ui::Rect& r) {
  const RECT rect{r.left, r.top, r.right, r.bottom};
  if (HWND w = window_.load()) InvalidateRect(w, &rect, FALSE);
}

bool Win32WindowHost::postJobResult(const JobResult& result) { return postJobDone(window_.load(), result); }

void Win32WindowHost::postStatesChanged() {
  if (HWND w = window_.load()) PostMessageW(w, kWmStatesChanged, 0, 0);
}

void Win32WindowHost::showInputBox(bool visible) {
  if (inputBox_) ShowWindow(inputBox_, visible ? SW_SHOW : SW_HIDE);
}

void Win32WindowHost::placeInputBox(const ui::Rect& r) {
  if (inputBox_) SetWindowPos(inputBox_, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

std::wstring controlText(HWND control) {
  if (!control) return {};
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

std::wstring Win32WindowHost::inputText() { return controlText(inputBox_); }

void Win32WindowHost::clearInputText() {
  if (inputBox_) SetWindowTextW(inputBox_, L"");
}

void Win32WindowHost::focusInputBox() {
  if (inputBox_) SetFocus(inputBox_);
}

void Win32WindowHost::placeSearchBox(const ui::Rect& r) {
  if (searchBox_) SetWindowPos(searchBox_, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring Win32WindowHost::searchText() { return controlText(searchBox_); }

void Win32WindowHost::clearSearchText() {
  if (searchBox_) SetWindowTextW(searchBox_, L"");
}

void Win32WindowHost::focusSearchBox() {
  if (!searchBox_) return;
  SetFocus(searchBox_);
  SendMessageW(searchBox_, EM_SETSEL, 0, -1);  // typing replaces what was searched before
}

std::wstring Win32WindowHost::chooseTweakSetFile(bool save) { return app::chooseTweakSetFile(window_.load(), save); }

bool Win32WindowHost::askYesNo(const std::wstring& caption, const std::wstring& text) {
  return MessageBoxW(window_.load(), text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool Win32WindowHost::startProgram(const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32WindowHost::openUrl(const std::wstring& url) { return shellOpen(url); }

}  // namespace vx::app
