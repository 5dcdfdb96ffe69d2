#include "services/shell_actions.h"

#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/recycle_bin.h"
#include "platform/system.h"
#include "platform/system_tool.h"

namespace vx {

namespace {

constexpr std::uint32_t kDnsFlushWaitMs = 5000;
constexpr std::uint32_t kTaskkillWaitMs = 10'000;
constexpr std::uint32_t kExplorerRestartPauseMs = 800;

}  // namespace

bool flushDnsCache() {
  if (!systemDirectory()) return false;
  return runSystemTool(L"ipconfig.exe", L"/flushdns", kDnsFlushWaitMs) != ChildExit::NotStarted;
}

bool emptyRecycleBin() { return emptyRecycleBins() == kHresultOk; }

bool restartExplorer() {
  return restartExplorer([](std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); });
}

bool restartExplorer(const std::function<void(std::uint32_t ms)>& pause) {
  if (!systemDirectory()) return false;
  // Explorer is started again whether or not taskkill could run.
  runSystemTool(L"taskkill.exe", L"/F /IM explorer.exe", kTaskkillWaitMs);
  if (pause) pause(kExplorerRestartPauseMs);
  const auto windows = windowsDirectory();
  if (!windows) return false;
  const std::wstring explorer = joinPath(*windows, L"explorer.exe");
  return shellStartProgram(explorer) || startProgramDirectly(explorer);
}

}  // namespace vx
