#include "app/job_message.h"

#include <new>

#include "app/window_messages.h"

namespace vx::app {

bool postJobDone(HWND window, const JobResult& result) {
  std::unique_ptr<std::wstring> text;
  try {
    text = std::make_unique<std::wstring>(result.text);
  } catch (const std::bad_alloc&) {
    // The message then carries no text; the window still clears busy.
  }
  const LPARAM flags = static_cast<LPARAM>(ui::jobFlagBits(ui::jobFlags(result)));
  if (!PostMessageW(window, kWmJobDone, reinterpret_cast<WPARAM>(text.get()), flags)) return false;  // text freed here
  text.release();  // owned by the message now
  return true;
}

JobDone takeJobDone(WPARAM wParam, LPARAM lParam) {
  return JobDone{std::unique_ptr<std::wstring>(reinterpret_cast<std::wstring*>(wParam)),
                 ui::jobFlagsFromBits(static_cast<std::uint32_t>(lParam))};
}

}  // namespace vx::app
