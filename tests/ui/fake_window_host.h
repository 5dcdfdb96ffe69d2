// A WindowHost for the UI tests: counts repaints (and keeps the partial ones), keeps the posted job results (thread-safe, with
// a wait), answers the yes/no question as told and records programs and pages it was asked to open.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "ui/window_host.h"

namespace vx::test {

class FakeWindowHost final : public ui::WindowHost {
 public:
  int invalidations = 0;
  std::vector<ui::Rect> invalidatedRects;  // the partial repaints asked for
  bool inputVisible = false;
  std::wstring input;
  bool answerYes = false;
  int questions = 0;
  std::wstring lastQuestion;
  bool programStarts = true;
  std::vector<std::wstring> programs;
  std::vector<std::wstring> urls;
  bool deliver = true;  // false: the window is gone

  void invalidate() override { ++invalidations; }
  void invalidateRect(const ui::Rect& rect) override { invalidatedRects.push_back(rect); }
  bool postJobResult(const JobResult& result) override {
    std::lock_guard lock(mutex_);
    results_.push_back(result);
    done_.notify_all();
    return deliver;
  }
  void postStatesChanged() override {
    std::lock_guard lock(mutex_);
    ++statesChanged_;
  }
  void showInputBox(bool visible) override { inputVisible = visible; }
  void placeInputBox(const ui::Rect&) override {}
  std::wstring inputText() override { return input; }
  void clearInputText() override { input.clear(); }
  void focusInputBox() override {}
  std::wstring search;
  int searchFocused = 0;
  void placeSearchBox(const ui::Rect&) override {}
  std::wstring searchText() override { return search; }
  void clearSearchText() override { search.clear(); }
  void focusSearchBox() override { ++searchFocused; }
  std::wstring chosenFile;  // what the file dialog answers (empty: cancelled)
  std::vector<bool> fileDialogs;  // true for each save dialog, false for each open dialog
  std::wstring chooseTweakSetFile(bool save) override {
    fileDialogs.push_back(save);
    return chosenFile;
  }
  bool askYesNo(const std::wstring&, const std::wstring& text) override {
    ++questions;
    lastQuestion = text;
    return answerYes;
  }
  bool startProgram(const std::wstring& commandLine) override {
    programs.push_back(commandLine);
    return programStarts;
  }
  bool openUrl(const std::wstring& url) override {
    urls.push_back(url);
    return true;
  }

  // Waits for the n-th posted result (1-based) and returns a copy of it.
  JobResult waitForResult(std::size_t n = 1) {
    std::unique_lock lock(mutex_);
    done_.wait_for(lock, std::chrono::seconds(10), [&] { return results_.size() >= n; });
    return results_.size() >= n ? results_[n - 1] : JobResult{L"<no result>"};
  }
  std::size_t resultCount() {
    std::lock_guard lock(mutex_);
    return results_.size();
  }
  int statesChanged() {
    std::lock_guard lock(mutex_);
    return statesChanged_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<JobResult> results_;
  int statesChanged_ = 0;
};

}  // namespace vx::test
