// The machine-wide lock that every change Vantorix makes is done under (apply, revert, batches,
// category runs, profiles, restores, config edits), so two Vantorix processes (the window and
// vxctl, or two windows) never change the same thing at once. A named mutex: it belongs to the
// thread that took it and may be taken again by that thread. Called by core/change_guard.h.
// Implemented by win32/ and sim/.
#pragma once
#include <cstdint>

namespace vx {

// Takes the lock for this thread, waiting up to waitMs (0: only tries). True when the thread now
// holds it (also when its last holder ended without releasing it); false when another holder
// kept it for the whole wait, or the lock cannot be opened (it then counts as held by someone else).
bool acquireChangeLock(std::uint32_t waitMs);

// Gives back one acquisition of this thread.
void releaseChangeLock();

}  // namespace vx
