// What the portable UI asks of the window that shows it: repaint, hand a job's result to the UI
// thread, the assistant's input box, a yes/no question, starting a program or opening a page.
// The Win32 window implements it (src/app); tests use a recording fake.
#pragma once
#include <string>

#include "core/job_results.h"
#include "ui/geometry.h"

namespace vx::ui {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Repaint the whole client area without erasing.
  virtual void invalidate() = 0;
  // Repaint only this part of the client area, without erasing (the timer's changed readings).
  virtual void invalidateRect(const Rect& rect) = 0;
  // Called on a worker thread: delivers the result to the UI thread, which then calls
  // onJobDone. False when it could not be delivered (the window is gone); nothing is leaked then.
  virtual bool postJobResult(const JobResult& result) = 0;
  // Called on the refresher thread when a card state changed: the UI thread should rebuild the
  // advice and repaint.
  virtual void postStatesChanged() = 0;
  virtual void showInputBox(bool visible) = 0;
  virtual void placeInputBox(const Rect& rect) = 0;
  virtual std::wstring inputText() = 0;
  virtual void clearInputText() = 0;
  virtual void focusInputBox() = 0;
  // The header's search box (always shown): place it, read and empty it, give it the focus.
  virtual void placeSearchBox(const Rect& rect) = 0;
  virtual std::wstring searchText() = 0;
  virtual void clearSearchText() = 0;
  virtual void focusSearchBox() = 0;
  // The standard save (or open) dialog for a tweak set file; empty when the user cancelled.
  virtual std::wstring chooseTweakSetFile(bool save) = 0;
  // A modal question; true for "yes".
  virtual bool askYesNo(const std::wstring& caption, const std::wstring& text) = 0;
  // Starts the program with default flags and does not wait; false when it did not start.
  virtual bool startProgram(const std::wstring& commandLine) = 0;
  // Opens a web page in the user's browser; false when the shell refused.
  virtual bool openUrl(const std::wstring& url) = 0;
};

}  // namespace vx::ui
