// The contract scene on real Windows (and Wine): plain Win32 calls that the production platform
// layer does not offer, such as values of any type, services and denied folders.
#include <windows.h>
#include <winioctl.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/win32/dynamic_function.h"
#include "platform/win32/handles.h"
#include "platform/win32/registry_root.h"
#include "platform/scene.h"

namespace vx::scene {

namespace {

using win32::UniqueServiceHandle;

// Scratch folders of this run, removed again by the next reset().
std::mutex scratchMutex;
std::vector<std::wstring> scratchFolders;

bool isDirectoryLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// --- Links under Wine ---------------------------------------------------------------------------
// Wine cannot create Windows links (CreateSymbolicLinkW answers TRUE and creates nothing,
// FSCTL_SET_REPARSE_POINT is not supported), but it reports a Unix symbolic link as a directory
// reparse point, and a Windows program under Wine may start Unix programs. RemoveDirectoryW on
// such a link removes the (empty) folder it points to and keeps the link, so links are also
// removed with a Unix tool there.

// The Unix path of a Windows path under Wine; empty on real Windows.
std::wstring unixPathUnderWine(const std::wstring& path) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto unixFileName =
      win32::findExport<UnixFileName>(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
  if (unixFileName == nullptr) return {};
  char* raw = unixFileName(path.c_str());
  if (raw == nullptr) return {};
  const std::string bytes(raw);
  HeapFree(GetProcessHeap(), 0, raw);
  std::wstring wide(static_cast<std::size_t>(
                        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

// Starts a Unix tool and waits until done() holds (at most 2 s): Wine's process handle of a
// Unix child does not tell when it has finished.
bool runUnixToolUnderWine(std::wstring commandLine, const std::function<bool()>& done) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info))
    return false;
  const win32::UniqueHandle process(info.hProcess);
  const win32::UniqueHandle thread(info.hThread);
  for (int attempt = 0; attempt < 100 && !done(); ++attempt) Sleep(20);
  return done();
}

bool makeUnixSymlinkUnderWine(const std::wstring& linkPath, const std::wstring& target) {
  const std::wstring unixTarget = unixPathUnderWine(target);
  const std::wstring unixLink = unixPathUnderWine(linkPath);
  if (unixTarget.empty() || unixLink.empty()) return false;
  return runUnixToolUnderWine(L"Z:\\bin\\ln -s \"" + unixTarget + L"\" \"" + unixLink + L"\"",
                              [&] { return isDirectoryLink(linkPath); });
}

// Removes the link itself, never what it points to.
void removeLink(const std::wstring& linkPath) {
  const std::wstring unixLink = unixPathUnderWine(linkPath);
  if (unixLink.empty()) {
    RemoveDirectoryW(linkPath.c_str());
    return;
  }
  runUnixToolUnderWine(L"Z:\\bin\\rm -f \"" + unixLink + L"\"",
                       [&] { return GetFileAttributesW(linkPath.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

// --- Scratch folders ----------------------------------------------------------------------------

// Gives everybody access again (a NULL DACL) so that a denied folder can be cleaned up.
void allowFolder(const std::wstring& path) {
  SECURITY_DESCRIPTOR descriptor{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, &descriptor);
}

// Removes a folder and what it holds. Links are removed as links: what they point to stays.
void removeTree(const std::wstring& path) {
  allowFolder(path);
  if (const auto entries = listDirectory(path)) {
    for (const DirEntry& entry : *entries) {
      const std::wstring child = joinPath(path, entry.name);
      if (entry.isLink) {
        removeLink(child);
      } else if (entry.isDirectory) {
        removeTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    }
  }
  RemoveDirectoryW(path.c_str());
}

bool canList(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  const HANDLE search = FindFirstFileW(joinPath(path, L"*").c_str(), &data);
  return win32::UniqueFindHandle(search == INVALID_HANDLE_VALUE ? nullptr : search) != nullptr;
}

// A junction: an empty folder turned into a mount-point reparse point to the target folder.
bool makeJunction(const std::wstring& linkPath, const std::wstring& target) {
  if (!CreateDirectoryW(linkPath.c_str(), nullptr)) return false;
  const win32::UniqueHandle folder(win32::adoptFileHandle(
      CreateFileW(linkPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
  if (!folder) return false;
  // The mount-point layout of REPARSE_DATA_BUFFER (declared only in the driver kit): tag,
  // data length, reserved, then offsets and lengths of the NT path and the printable path.
  const std::wstring ntPath = L"\\??\\" + target;
  const std::size_t names = (ntPath.size() + 1 + target.size() + 1) * sizeof(wchar_t);
  std::vector<std::uint8_t> buffer(8 + 8 + names, 0);
  const auto put16 = [&](std::size_t at, std::size_t value) {
    buffer[at] = static_cast<std::uint8_t>(value);
    buffer[at + 1] = static_cast<std::uint8_t>(value >> 8);
  };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(buffer.data(), &tag, sizeof(tag));
  put16(4, 8 + names);                               // ReparseDataLength
  put16(8, 0);                                       // SubstituteNameOffset
  put16(10, ntPath.size() * sizeof(wchar_t));        // SubstituteNameLength
  put16(12, (ntPath.size() + 1) * sizeof(wchar_t));  // PrintNameOffset
  put16(14, target.size() * sizeof(wchar_t));        // PrintNameLength
  std::memcpy(buffer.data() + 16, ntPath.c_str(), ntPath.size() * sizeof(wchar_t));
  std::memcpy(buffer.data() + 16 + (ntPath.size() + 1) * sizeof(wchar_t), target.c_str(),
              target.size() * sizeof(wchar_t));
  DWORD returned = 0;
  return DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                         nullptr, 0, &returned, nullptr) != FALSE;
}

void removeScratchFolders() {
  std::vector<std::wstring> folders;
  {
    const std::lock_guard<std::mutex> lock(scratchMutex);
    folders.swap(scratchFolders);
  }
  for (const std::wstring& folder : folders) removeTree(folder);
}

// The last test's folders have no later reset(): they go when the test program ends.
struct ScratchCleanupAtExit {
  ~ScratchCleanupAtExit() { removeScratchFolders(); }
} scratchCleanupAtExit;

}  // namespace

void reset() {
  RegDeleteTreeW(HKEY_CURRENT_USER, testKey().c_str());
  removeScratchFolders();
}

std::wstring testKey() { return L"Software\\VantorixContract"; }

void writeRawValue(RegRoot root, const std::wstring& subkey, const std::wstring& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(win32::hkeyOf(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &raw, nullptr) != ERROR_SUCCESS)
    return;
  const win32::UniqueRegKey key(raw);
  RegSetValueExW(key.get(), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                 static_cast<DWORD>(data.size()));
}

void deleteKeyTree(RegRoot root, const std::wstring& subkey) { RegDeleteTreeW(win32::hkeyOf(root), subkey.c_str()); }

bool addService(const std::wstring& name, std::uint32_t startType) {
  const UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
  if (!manager) return false;
  const std::wstring binary = L"\"" + childProgramPath() + L"\" 0 0";
  UniqueServiceHandle service(CreateServiceW(manager.get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                             SERVICE_WIN32_OWN_PROCESS, startType, SERVICE_ERROR_IGNORE, binary.c_str(),
                                             nullptr, nullptr, nullptr, nullptr, nullptr));
  if (service) return true;
  if (GetLastError() != ERROR_SERVICE_EXISTS) return false;
  // Left over from an interrupted run: take it over with the requested start type.
  service.reset(OpenServiceW(manager.get(), name.c_str(), SERVICE_CHANGE_CONFIG));
  return service && ChangeServiceConfigW(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void removeService(const std::wstring& name) {
  const UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return;
  const UniqueServiceHandle service(OpenServiceW(manager.get(), name.c_str(), DELETE));
  if (service) DeleteService(service.get());
}

std::wstring childProgramPath() {
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  const std::size_t cut = buffer.find_last_of(L'\\');
  return (cut == std::wstring::npos ? std::wstring() : buffer.substr(0, cut)) + L"\\vx_testchild.exe";
}

void waitMs(std::uint32_t ms) { Sleep(ms); }

std::wstring scratchFolder() {
  static std::atomic<std::uint32_t> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring base = (length > 0 && length <= MAX_PATH) ? std::wstring(temp, length) : L"C:\\";
  for (;;) {
    const std::wstring folder = joinPath(base, L"vx-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                   std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount64()));
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
      const std::lock_guard<std::mutex> lock(scratchMutex);
      scratchFolders.push_back(folder);
      return folder;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;  // the test's own checks will fail visibly
  }
}

bool makeDirectoryLink(const std::wstring& linkPath, const std::wstring& target) {
  // Unprivileged symbolic links need developer mode on Windows 10 (older systems reject the
  // flag). Wine answers TRUE without creating anything, so only a link that Windows then
  // reports as a directory reparse point counts.
  if (CreateSymbolicLinkW(linkPath.c_str(), target.c_str(),
                          SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
      CreateSymbolicLinkW(linkPath.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
    if (isDirectoryLink(linkPath)) return true;
    RemoveDirectoryW(linkPath.c_str());
  }
  // A junction needs no privilege at all.
  if (makeJunction(linkPath, target) && isDirectoryLink(linkPath)) return true;
  RemoveDirectoryW(linkPath.c_str());
  return makeUnixSymlinkUnderWine(linkPath, target) && isDirectoryLink(linkPath);
}

bool denyFolder(const std::wstring& path) {
  // An empty DACL grants nothing to anybody; the owner can still put a DACL back (reset()).
  ACL acl{};
  if (!InitializeAcl(&acl, sizeof(acl), ACL_REVISION)) return false;
  SECURITY_DESCRIPTOR descriptor{};
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, &acl, FALSE) ||
      !SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, &descriptor))
    return false;
  if (!canList(path)) return true;
  // Wine keeps the DACL but does not enforce it against a listing: no denied folder here.
  allowFolder(path);
  return false;
}

bool makeReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_READONLY) && isReadOnly(path);
}

bool isReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::shared_ptr<void> holdOpen(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  return std::shared_ptr<void>(file, [](void* handle) { CloseHandle(handle); });
}

std::wstring ownProcessImageName() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
  return buffer.substr(buffer.find_last_of(L'\\') + 1);
}

}  // namespace vx::scene
