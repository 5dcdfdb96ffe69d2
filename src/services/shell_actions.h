// The one-shot shell actions behind the sidebar buttons and the home page's Explorer tile: flush
// the DNS cache, empty the recycle bin, restart Explorer. Each answers whether the step that starts
// the work succeeded, not what the tool then did. Run on the cleanup job's thread and by vxctl.
#pragma once
#include <cstdint>
#include <functional>

namespace vx {

// Starts "ipconfig /flushdns" from System32 and waits at most 5 s. True when it started: its exit
// code says nothing useful (Wine's ipconfig exits 1 after a flush).
bool flushDnsCache();

// True exactly when the shell answered S_OK; an empty or missing bin is false.
bool emptyRecycleBin();

// "taskkill /F /IM explorer.exe" from System32 (waited for at most 10 s; its outcome does not
// matter), then up to 5 s (a pause of 800 ms, then 100 ms slices) for the shell window Windows
// brings back by itself; only when none is there then, explorer.exe from the Windows folder
// through the shell, with a direct CreateProcessW as the fallback. True when a shell came back or
// was started; false when a folder cannot be read or nothing started.
bool restartExplorer();
// The same with the pause injected (tests: each call stands for that much waiting).
bool restartExplorer(const std::function<void(std::uint32_t ms)>& pause);

}  // namespace vx
