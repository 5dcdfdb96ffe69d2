// The change lock under Windows: a named mutex in a private namespace bounded by the
// Administrators group, so no other account can create the name first and hold it; where private
// namespaces do not work (Wine has none, and the functions are looked up at run time) a mutex
// named under Global\ whose DACL grants only SYSTEM and the Administrators.
#include "platform/change_lock.h"

#include <windows.h>
#include <sddl.h>

#include <cstdint>
#include <memory>

#include "platform/win32/native_api.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

constexpr const wchar_t* kNamespaceName = L"Vantorix";
constexpr const wchar_t* kMutexInNamespace = L"Vantorix\\ChangeLock";
constexpr const wchar_t* kGlobalMutex = L"Global\\Vantorix.ChangeLock";
// SYSTEM and Administrators: full control; nobody else.
constexpr const wchar_t* kLockSddl = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)";

// A private namespace handle is closed with ClosePrivateNamespace, looked up like the others.
struct NamespaceCloser {
  void operator()(void* handle) const {
    const auto close = win32::nativeFunction(win32::native::kClosePrivateNamespace);
    if (close) close(handle, 0);
  }
};
using UniqueNamespace = std::unique_ptr<void, NamespaceCloser>;

// The mutex of this process (null when it could not be created or opened). The namespace handle
// stays open as long as the process lives, like the mutex: both are closed by the process's end.
struct Lock {
  UniqueNamespace privateNamespace;  // declared first: closed after the mutex
  win32::UniqueHandle mutex;
};

// Creates or opens the Administrators' private namespace; null where that does not work.
HANDLE openPrivateNamespace(SECURITY_ATTRIBUTES* attributes) {
  using namespace win32::native;
  const auto createBoundary = win32::nativeFunction(kCreateBoundaryDescriptor);
  const auto addSid = win32::nativeFunction(kAddSidToBoundaryDescriptor);
  const auto deleteBoundary = win32::nativeFunction(kDeleteBoundaryDescriptor);
  const auto createNamespace = win32::nativeFunction(kCreatePrivateNamespace);
  const auto openNamespace = win32::nativeFunction(kOpenPrivateNamespace);
  if (!createBoundary || !addSid || !deleteBoundary || !createNamespace || !openNamespace) return nullptr;

  HANDLE boundary = createBoundary(kNamespaceName, 0);
  if (boundary == nullptr) return nullptr;
  alignas(std::uint64_t) BYTE sidBytes[SECURITY_MAX_SID_SIZE] = {};
  DWORD sidSize = sizeof sidBytes;
  HANDLE result = nullptr;
  if (CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sidBytes, &sidSize) && addSid(&boundary, sidBytes)) {
    result = createNamespace(attributes, boundary, kNamespaceName);
    if (result == nullptr && GetLastError() == ERROR_ALREADY_EXISTS) result = openNamespace(boundary, kNamespaceName);
  }
  deleteBoundary(boundary);
  return result;
}

HANDLE createOrOpenMutex(SECURITY_ATTRIBUTES* attributes, const wchar_t* name) {
  HANDLE mutex = CreateMutexW(attributes, FALSE, name);
  if (mutex == nullptr && GetLastError() == ERROR_ACCESS_DENIED)
    mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
  return mutex;
}

Lock& processLock() {
  // Never destroyed: a job thread may still hold the lock while the process ends.
  static Lock* lock = [] {
    auto* made = new Lock();
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kLockSddl, SDDL_REVISION_1, &raw, nullptr)) return made;
    const win32::UniqueLocalMemory<void> descriptor(raw);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, raw, FALSE};
    made->privateNamespace.reset(openPrivateNamespace(&attributes));
    HANDLE mutex = made->privateNamespace != nullptr ? createOrOpenMutex(&attributes, kMutexInNamespace) : nullptr;
    if (mutex == nullptr) mutex = createOrOpenMutex(&attributes, kGlobalMutex);
    made->mutex.reset(mutex);
    return made;
  }();
  return *lock;
}

}  // namespace

bool acquireChangeLock(std::uint32_t waitMs) {
  HANDLE mutex = processLock().mutex.get();
  if (mutex == nullptr) return false;  // cannot be opened: somebody else's, so counted as held
  const DWORD waited = WaitForSingleObject(mutex, waitMs);
  // WAIT_ABANDONED: the last holder ended without releasing it; this thread owns it now.
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void releaseChangeLock() {
  HANDLE mutex = processLock().mutex.get();
  if (mutex != nullptr) ReleaseMutex(mutex);
}

}  // namespace vx
