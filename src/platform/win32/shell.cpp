// Opening things for the user through the desktop shell, and the shell's window and account
// (shell32, ole32, oleaut32, user32, advapi32).
#include "platform/shell.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"

namespace vx {

namespace {

using Microsoft::WRL::ComPtr;

// A BSTR owned for one call.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }

 private:
  BSTR value_;
};

// A VARIANT cleared when it goes.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value_; }
  VARIANT& operator*() { return value_; }

 private:
  VARIANT value_;
};

// The desktop's IShellDispatch2, reached through Explorer's own windows: the shell window
// collection, the desktop's browser, its active view, the view's automation object and that
// object's Application. Nothing when any step fails (no Explorer running, another shell).
ComPtr<IShellDispatch2> desktopShellDispatch() {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&windows))) || !windows)
    return nullptr;
  Variant location;
  (*location).vt = VT_I4;
  (*location).lVal = CSIDL_DESKTOP;
  Variant root;
  long window = 0;
  ComPtr<IDispatch> desktop;
  // S_FALSE: no desktop window in the collection.
  if (windows->FindWindowSW(location.get(), root.get(), SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &desktop) != S_OK ||
      !desktop)
    return nullptr;
  ComPtr<IServiceProvider> services;
  if (FAILED(desktop.As(&services))) return nullptr;
  ComPtr<IShellBrowser> browser;
  if (FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) || !browser) return nullptr;
  ComPtr<IShellView> view;
  if (FAILED(browser->QueryActiveShellView(&view)) || !view) return nullptr;
  ComPtr<IDispatch> background;
  if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) || !background) return nullptr;
  ComPtr<IShellFolderViewDual> folderView;
  if (FAILED(background.As(&folderView))) return nullptr;
  ComPtr<IDispatch> application;
  if (FAILED(folderView->get_Application(&application)) || !application) return nullptr;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(application.As(&shell))) return nullptr;
  return shell;
}

// Explorer starts the target in its own process, as the desktop's user and unelevated.
bool openThroughShellProcess(const std::wstring& target) {
  const ComPtr<IShellDispatch2> shell = desktopShellDispatch();
  if (!shell) return false;
  const Bstr file(target);
  if (!file.get()) return false;
  Variant arguments, folder, verb, show;
  (*verb).vt = VT_BSTR;
  (*verb).bstrVal = SysAllocString(L"open");
  if (!(*verb).bstrVal) return false;
  (*show).vt = VT_I4;
  (*show).lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(file.get(), *arguments, *folder, *verb, *show));
}

bool openInThisProcess(const std::wstring& target) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // ShellExecuteW reports success as a value greater than 32.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

// The user SID of a token as bytes; empty when it cannot be read.
std::vector<BYTE> tokenUser(HANDLE token) {
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  if (!IsValidSid(sid)) return {};
  const auto* bytes = static_cast<const BYTE*>(sid);
  return std::vector<BYTE>(bytes, bytes + GetLengthSid(sid));
}

std::vector<BYTE> processUser(HANDLE process) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return {};
  const win32::UniqueHandle token(raw);
  return tokenUser(token.get());
}

// "C:\..." or "\\server\...", as opposed to a URI ("https://...", "ms-settings:display").
bool isFileSystemPath(const std::wstring& target) {
  if (target.size() >= 3 && target[1] == L':' && (target[2] == L'\\' || target[2] == L'/')) return true;
  return target.rfind(L"\\\\", 0) == 0;
}

}  // namespace

bool shellOpen(const std::wstring& target) {
  // The desktop's ShellExecute answers S_OK even for a path that is not there (Explorer reports
  // that itself, later, in a window of its own; seen under Wine), so a missing path is refused
  // here, as ShellExecuteW would refuse it.
  if (isFileSystemPath(target) && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  // ShellExecuteW and the shell's objects expect a single-threaded apartment on this thread.
  const win32::ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (com.usable() && openThroughShellProcess(target)) return true;
  return openInThisProcess(target);
}

std::uint64_t shellWindow() { return static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(GetShellWindow())); }

bool shellRunsAsAnotherUser() {
  const HWND window = GetShellWindow();
  if (!window) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return false;
  const win32::UniqueHandle shell(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!shell) return false;
  const std::vector<BYTE> theirs = processUser(shell.get());
  const std::vector<BYTE> ours = processUser(GetCurrentProcess());
  if (theirs.empty() || ours.empty()) return false;
  return !EqualSid(const_cast<BYTE*>(theirs.data()), const_cast<BYTE*>(ours.data()));
}

}  // namespace vx
