// The Windows functions the program finds by name at run time instead of importing them: the
// prototype of each, the DLL it comes from and the one lookup. Exports that older Windows or Wine
// lack, and DLLs that are not "known DLLs" (taken from System32 only, system_library.h). The win32
// backend, the GDI canvas and the window call them through nativeFunction.
#pragma once
#include <windows.h>
#include <pdh.h>
// MinGW's powrprof.h has no include guard: the program includes it here only.
#include <powrprof.h>
#include <srrestoreptapi.h>
#include <winternl.h>

#include "platform/win32/dynamic_function.h"
#include "platform/win32/system_library.h"

namespace vx::win32 {

// A DLL the process always has mapped (ntdll and kernel32 in every process, user32 imported by
// the program: asked for with GetModuleHandleW, never loaded) or one loaded from System32 on first use.
struct NativeDll {
  const wchar_t* name;
  bool alwaysMapped;
};

inline constexpr NativeDll kNtdll{L"ntdll.dll", true};
inline constexpr NativeDll kKernel32{L"kernel32.dll", true};
inline constexpr NativeDll kUser32{L"user32.dll", true};
inline constexpr NativeDll kPowrprof{L"powrprof.dll", false};
inline constexpr NativeDll kPdh{L"pdh.dll", false};
inline constexpr NativeDll kSrClient{L"SrClient.dll", false};
inline constexpr NativeDll kDwmapi{L"dwmapi.dll", false};
inline constexpr NativeDll kMsimg32{L"msimg32.dll", false};

// One export: its DLL, its name and (in the type) its prototype.
template <typename Function>
struct NativeExport {
  using Type = Function;
  NativeDll dll;
  const char* name;
};

// The export's function; null when its DLL or the export is missing.
template <typename Function>
Function nativeFunction(const NativeExport<Function>& function) {
  const HMODULE module = function.dll.alwaysMapped ? GetModuleHandleW(function.dll.name) : systemLibrary(function.dll.name);
  return findExport<Function>(module, function.name);
}

namespace native {

// ntdll: files opened relative to a directory handle, the timer resolution, the standby purge, the
// true Windows version.
using NtCreateFileFn = LONG(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER, ULONG,
                                    ULONG, ULONG, ULONG, PVOID, ULONG);
using NtSetTimerResolutionFn = LONG(NTAPI*)(ULONG desired, BOOLEAN set, ULONG* current);
using NtSetSystemInformationFn = LONG(NTAPI*)(INT infoClass, PVOID info, ULONG length);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
inline constexpr NativeExport<NtCreateFileFn> kNtCreateFile{kNtdll, "NtCreateFile"};
inline constexpr NativeExport<NtSetTimerResolutionFn> kNtSetTimerResolution{kNtdll, "NtSetTimerResolution"};
inline constexpr NativeExport<NtSetSystemInformationFn> kNtSetSystemInformation{kNtdll, "NtSetSystemInformation"};
inline constexpr NativeExport<RtlGetVersionFn> kRtlGetVersion{kNtdll, "RtlGetVersion"};

// kernel32: private namespaces (Wine has none) and the power-throttling opt-out (Windows 8 on).
using CreateBoundaryDescriptorFn = HANDLE(WINAPI*)(LPCWSTR, ULONG);
using AddSidToBoundaryDescriptorFn = BOOL(WINAPI*)(HANDLE*, PSID);
using DeleteBoundaryDescriptorFn = VOID(WINAPI*)(HANDLE);
using CreatePrivateNamespaceFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR);
using OpenPrivateNamespaceFn = HANDLE(WINAPI*)(LPVOID, LPCWSTR);
using ClosePrivateNamespaceFn = BOOLEAN(WINAPI*)(HANDLE, ULONG);
using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
inline constexpr NativeExport<CreateBoundaryDescriptorFn> kCreateBoundaryDescriptor{kKernel32, "CreateBoundaryDescriptorW"};
inline constexpr NativeExport<AddSidToBoundaryDescriptorFn> kAddSidToBoundaryDescriptor{kKernel32,
                                                                                       "AddSIDToBoundaryDescriptor"};
inline constexpr NativeExport<DeleteBoundaryDescriptorFn> kDeleteBoundaryDescriptor{kKernel32, "DeleteBoundaryDescriptor"};
inline constexpr NativeExport<CreatePrivateNamespaceFn> kCreatePrivateNamespace{kKernel32, "CreatePrivateNamespaceW"};
inline constexpr NativeExport<OpenPrivateNamespaceFn> kOpenPrivateNamespace{kKernel32, "OpenPrivateNamespaceW"};
inline constexpr NativeExport<ClosePrivateNamespaceFn> kClosePrivateNamespace{kKernel32, "ClosePrivateNamespace"};
inline constexpr NativeExport<SetProcessInformationFn> kSetProcessInformation{kKernel32, "SetProcessInformation"};

// user32: per-monitor DPI (Windows 10 1607 and 1703 on).
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
inline constexpr NativeExport<GetDpiForWindowFn> kGetDpiForWindow{kUser32, "GetDpiForWindow"};
inline constexpr NativeExport<SetProcessDpiAwarenessContextFn> kSetProcessDpiAwarenessContext{
    kUser32, "SetProcessDpiAwarenessContext"};

// powrprof: the power schemes.
using PowerGetActiveSchemeFn = DWORD(WINAPI*)(HKEY, GUID**);
using PowerSetActiveSchemeFn = DWORD(WINAPI*)(HKEY, const GUID*);
using PowerEnumerateFn = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, POWER_DATA_ACCESSOR, ULONG, UCHAR*, DWORD*);
inline constexpr NativeExport<PowerGetActiveSchemeFn> kPowerGetActiveScheme{kPowrprof, "PowerGetActiveScheme"};
inline constexpr NativeExport<PowerSetActiveSchemeFn> kPowerSetActiveScheme{kPowrprof, "PowerSetActiveScheme"};
inline constexpr NativeExport<PowerEnumerateFn> kPowerEnumerate{kPowrprof, "PowerEnumerate"};

// pdh: the GPU engine counter.
using PdhOpenQueryFn = PDH_STATUS(WINAPI*)(LPCWSTR, DWORD_PTR, PDH_HQUERY*);
using PdhAddEnglishCounterFn = PDH_STATUS(WINAPI*)(PDH_HQUERY, LPCWSTR, DWORD_PTR, PDH_HCOUNTER*);
using PdhCollectQueryDataFn = PDH_STATUS(WINAPI*)(PDH_HQUERY);
using PdhGetFormattedCounterArrayFn = PDH_STATUS(WINAPI*)(PDH_HCOUNTER, DWORD, LPDWORD, LPDWORD,
                                                           PPDH_FMT_COUNTERVALUE_ITEM_W);
using PdhCloseQueryFn = PDH_STATUS(WINAPI*)(PDH_HQUERY);
inline constexpr NativeExport<PdhOpenQueryFn> kPdhOpenQuery{kPdh, "PdhOpenQueryW"};
inline constexpr NativeExport<PdhAddEnglishCounterFn> kPdhAddEnglishCounter{kPdh, "PdhAddEnglishCounterW"};
inline constexpr NativeExport<PdhCollectQueryDataFn> kPdhCollectQueryData{kPdh, "PdhCollectQueryData"};
inline constexpr NativeExport<PdhGetFormattedCounterArrayFn> kPdhGetFormattedCounterArray{kPdh,
                                                                                          "PdhGetFormattedCounterArrayW"};
inline constexpr NativeExport<PdhCloseQueryFn> kPdhCloseQuery{kPdh, "PdhCloseQuery"};

// SrClient: System Restore points (absent where System Restore is not installed).
using SrSetRestorePointFn = BOOL(WINAPI*)(RESTOREPOINTINFOW*, STATEMGRSTATUS*);
inline constexpr NativeExport<SrSetRestorePointFn> kSrSetRestorePoint{kSrClient, "SRSetRestorePointW"};

// dwmapi: the dark title bar.
using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
inline constexpr NativeExport<DwmSetWindowAttributeFn> kDwmSetWindowAttribute{kDwmapi, "DwmSetWindowAttribute"};

// msimg32: the window's background gradient.
using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
inline constexpr NativeExport<GradientFillFn> kGradientFill{kMsimg32, "GradientFill"};

}  // namespace native

}  // namespace vx::win32
