// A System Restore point through SrClient.dll, loaded only when it is needed so that the program
// also starts where System Restore is not installed.
#include "platform/restore_point.h"

#include <windows.h>
#include <srrestoreptapi.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_api.h"

namespace vx {

namespace {

constexpr DWORD kBeginSystemChange = 100;
constexpr DWORD kEndSystemChange = 101;
constexpr DWORD kModifySettings = 12;
constexpr std::size_t kDescriptionChars = 255;  // szDescription holds 256 with the terminator

// The description cut to what fits, without leaving half of a surrogate pair at the end.
void copyDescription(const std::wstring& description, WCHAR (&target)[MAX_DESC_W]) {
  static_assert(MAX_DESC_W == kDescriptionChars + 1, "RESTOREPOINTINFOW keeps 255 characters");
  std::size_t length = std::min(description.size(), kDescriptionChars);
  if (length < description.size() && length > 0 && description[length - 1] >= 0xD800 && description[length - 1] <= 0xDBFF)
    --length;
  std::fill(std::begin(target), std::end(target), L'\0');
  std::copy_n(description.begin(), length, target);
}

}  // namespace

bool restorePointLibraryPresent() {
  return win32::nativeFunction(win32::native::kSrSetRestorePoint) != nullptr;
}

RestorePointOutcome setSystemRestorePoint(const std::wstring& description, const std::function<void()>& beforeFirstCall) {
  // From System32 only: never a SrClient.dll beside the program or in the current directory.
  const auto setRestorePoint = win32::nativeFunction(win32::native::kSrSetRestorePoint);
  if (setRestorePoint == nullptr) return RestorePointOutcome::LibraryMissing;

  // SRSetRestorePointW needs COM on the calling thread, whichever thread that is (a job's worker,
  // vxctl); a thread already in the other model keeps it. The process-wide COM security that lets
  // the restore service call back is set up at program start (com.h).
  const win32::ComApartment com(COINIT_MULTITHREADED);
  if (!com.usable()) return RestorePointOutcome::Failed;

  if (beforeFirstCall) beforeFirstCall();

  RESTOREPOINTINFOW info{};
  info.dwEventType = kBeginSystemChange;
  info.dwRestorePtType = kModifySettings;
  info.llSequenceNumber = 0;
  copyDescription(description, info.szDescription);
  STATEMGRSTATUS status{};
  if (!setRestorePoint(&info, &status) || status.nStatus != ERROR_SUCCESS) return RestorePointOutcome::Failed;

  // Closing the change makes the point complete; Windows keeps it even if this call reports an error.
  info.dwEventType = kEndSystemChange;
  info.llSequenceNumber = status.llSequenceNumber;
  STATEMGRSTATUS endStatus{};
  setRestorePoint(&info, &endStatus);
  return RestorePointOutcome::Created;
}

}  // namespace vx
