// The WindowHost of the real window: invalidation, posting job results and refresher notes to the
// main window, the input box, message boxes, starting programs and opening web pages. One
// process-wide instance, so a detached job can still post through it while the process ends.
#pragma once
#include <windows.h>

#include <atomic>

#include "ui/window_host.h"

namespace vx::app {

class Win32WindowHost final : public ui::WindowHost {
 public:
  void attach(HWND mainWindow) { window_.store(mainWindow); }
  void setInputBox(HWND box) { inputBox_ = box; }
  HWND inputBox() const { return inputBox_; }
  void setSearchBox(HWND box) { searchBox_ = box; }
  HWND searchBox() const { return searchBox_; }

  void invalidate() override;
  void invalidateRect(const ui::Rect& rect) override;
  bool postJobResult(const JobResult& result) override;
  void postStatesChanged() override;
  void showInputBox(bool visible) override;
  void placeInputBox(const ui::Rect& rect) override;
  std::wstring inputText() override;
  void clearInputText() override;
  void focusInputBox() override;
  void placeSearchBox(const ui::Rect& rect) override;
  std::wstring searchText() override;
  void clearSearchText() override;
  void focusSearchBox() override;
  std::wstring chooseTweakSetFile(bool save) override;
  bool askYesNo(const std::wstring& caption, const std::wstring& text) override;
  bool startProgram(const std::wstring& commandLine) override;
  bool openUrl(const std::wstring& url) override;

 private:
  std::atomic<HWND> window_{nullptr};
  HWND inputBox_ = nullptr;  // UI thread only
  HWND searchBox_ = nullptr;  // UI thread only
};

Win32WindowHost& windowHost();

}  // namespace vx::app
