// System Restore through SrClient.dll, loaded at run time. Called by the safety net, which does
// its own preparation (enabling System Restore, lifting the creation frequency limit).
#pragma once
#include <functional>
#include <string>

namespace vx {

enum class RestorePointOutcome {
  LibraryMissing,  // SrClient.dll or SRSetRestorePointW is not there; nothing was called
  Failed,          // SRSetRestorePointW returned 0 or a non-zero status
  Created,         // begun and ended (BEGIN_SYSTEM_CHANGE, then END_SYSTEM_CHANGE)
};

// Whether SrClient.dll loads from System32 and exports SRSetRestorePointW; nothing is called.
bool restorePointLibraryPresent();

// Loads the library, runs beforeFirstCall once the function is found, then asks for a
// MODIFY_SETTINGS restore point with the description (cut to 255 characters).
RestorePointOutcome setSystemRestorePoint(const std::wstring& description, const std::function<void()>& beforeFirstCall);

}  // namespace vx
