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
// matter), a pause of 800 ms, then explorer.exe from the Windows folder through the shell, with a
// direct CreateProcessW as the fallback. False when a folder cannot be read or nothing started.
bool restartExplorer();
// The same with the pause injected (tests).
bool restartExplorer(const std::function<void(std::uint32_t ms)>& pause);

}  // namespace vx
