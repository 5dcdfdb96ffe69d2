#include "services/shell_actions.h"

#include "platform/files.h"
#include "platform/pause.h"
#include "platform/process.h"
#include "platform/recycle_bin.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/system_tool.h"

namespace vx {

namespace {

constexpr std::uint32_t kDnsFlushWaitMs = 5000;
constexpr std::uint32_t kTaskkillWaitMs = 10'000;
constexpr std::uint32_t kExplorerRestartPauseMs = 800;
// How long Windows gets to bring its shell back after the kill, and how often we look.
constexpr std::uint32_t kShellReturnWaitMs = 5000;
constexpr std::uint32_t kShellPollMs = 100;

}  // namespace

bool flushDnsCache() {
  if (!systemDirectory()) return false;
  return runSystemTool(L"ipconfig.exe", L"/flushdns", kDnsFlushWaitMs) != ChildExit::NotStarted;
}

bool emptyRecycleBin() { return emptyRecycleBins() == kHresultOk; }

bool restartExplorer() { return restartExplorer(pauseMs); }

bool restartExplorer(const std::function<void(std::uint32_t ms)>& pause) {
  if (!systemDirectory()) return false;
  const std::uint64_t before = shellWindow();
  // Explorer is started again whether or not taskkill could run.
  runSystemTool(L"taskkill.exe", L"/F /IM explorer.exe", kTaskkillWaitMs);
  // Windows starts its shell again by itself (AutoRestartShell). A second explorer.exe started
  // next to it would only open a File Explorer window, and one started from this elevated process
  // would run elevated, so it is started only when no shell window came back in time (always so
  // under Wine, which has none).
  std::uint32_t waited = 0;
  for (std::uint32_t slice = kExplorerRestartPauseMs; waited < kShellReturnWaitMs; slice = kShellPollMs) {
    if (pause) pause(slice);
    waited += slice;
    const std::uint64_t now = shellWindow();
    if (now != 0 && now != before) return true;
  }
  // The shell that was there before is still there: the kill did nothing, and nothing is started.
  if (shellWindow() != 0) return true;
  const auto windows = windowsDirectory();
  if (!windows) return false;
  const std::wstring explorer = joinPath(*windows, L"explorer.exe");
  return shellStartProgram(explorer) || startProgramDirectly(explorer);
}

}  // namespace vx
