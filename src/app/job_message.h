// Carrying a finished job's result to the window: the text travels as a heap string owned by the
// message. The worker posts it; if the post fails (the window is gone) the worker still owns the
// string and frees it. The window procedure takes it back and frees it after use.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "core/job_results.h"
#include "ui/job_flags.h"

namespace vx::app {

// True when the message was posted (the window then owns the text).
bool postJobDone(HWND window, const JobResult& result);

struct JobDone {
  std::unique_ptr<std::wstring> text;  // null when the message carried none
  ui::JobFlags flags;
};
// Takes ownership of a WM_JOBDONE message's text.
JobDone takeJobDone(WPARAM wParam, LPARAM lParam);

}  // namespace vx::app
