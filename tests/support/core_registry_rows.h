// What each registry tweak of the core catalogue writes on apply and leaves after revert, written
// out independently of the catalogue's own rows, so that a wrong value there fails a test. Values
// are text: "dword:N", "sz:text" or "absent". Shared by the native test and the one under Wine.
#pragma once
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vx::test {

struct CoreRegistryValue {
  RegRoot root;
  const wchar_t* key;
  const wchar_t* name;
  const wchar_t* applied;
  const wchar_t* afterRevert;
};

struct CoreRegistryRow {
  const wchar_t* id;
  std::vector<CoreRegistryValue> values;
};

// The value as the platform layer reads it, in the table's notation.
inline std::wstring registryValueText(RegRoot root, const std::wstring& key, const std::wstring& name) {
  if (const auto dword = regReadDword(root, key, name)) return L"dword:" + std::to_wstring(*dword);
  if (const auto text = regReadString(root, key, name)) return L"sz:" + *text;
  return L"absent";
}

inline const std::vector<CoreRegistryRow>& coreRegistryRows() {
  constexpr RegRoot HKLM = RegRoot::LocalMachine;
  constexpr RegRoot HKCU = RegRoot::CurrentUser;
  const wchar_t* const profile = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
  const wchar_t* const tcpip = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  const wchar_t* const advanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  const wchar_t* const fs = L"SYSTEM\\CurrentControlSet\\Control\\FileSystem";
  const wchar_t* const mouse = L"Control Panel\\Mouse";
  static const std::vector<CoreRegistryRow> rows = {
      {L"perf.priorityseparation",
       {{HKLM, L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeparation", L"dword:38",
         L"dword:2"}}},
      {L"perf.visualfx",
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects", L"VisualFXSetting",
         L"dword:2", L"dword:0"}}},
      {L"game.disable_gamedvr",
       {{HKCU, L"System\\GameConfigStore", L"GameDVR_Enabled", L"dword:0", L"dword:1"},
        {HKCU, L"System\\GameConfigStore", L"GameDVR_FSEBehaviorMode", L"dword:2", L"dword:0"},
        {HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR", L"AllowGameDVR", L"dword:0", L"absent"},
        {HKCU, L"Software\\Microsoft\\GameBar", L"UseNexusForGameBarEnabled", L"dword:0", L"dword:1"}}},
      {L"game.hwsch",
       {{HKLM, L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers", L"HwSchMode", L"dword:2", L"dword:1"}}},
      {L"game.gamemode", {{HKCU, L"Software\\Microsoft\\GameBar", L"AllowAutoGameMode", L"dword:1", L"dword:0"}}},
      {L"priv.telemetry",
       {{HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", L"AllowTelemetry", L"dword:0", L"absent"},
        {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\DataCollection", L"AllowTelemetry",
         L"dword:0", L"absent"},
        {HKLM, L"SOFTWARE\\Policies\\Microsoft\\SQMClient\\Windows", L"CEIPEnable", L"dword:0", L"dword:1"}}},
      {L"priv.advertising_id",
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", L"Enabled", L"dword:0",
         L"dword:1"}}},
      {L"net.no_throttling", {{HKLM, profile, L"NetworkThrottlingIndex", L"dword:4294967295", L"dword:10"}}},
      {L"net.system_responsiveness", {{HKLM, profile, L"SystemResponsiveness", L"dword:0", L"dword:20"}}},
      {L"net.tcp_nodelay",
       {{HKLM, tcpip, L"TCPNoDelay", L"dword:1", L"absent"}, {HKLM, tcpip, L"TcpAckFrequency", L"dword:1", L"absent"}}},
      {L"system.mouse_accel",
       {{HKCU, mouse, L"MouseSpeed", L"sz:0", L"sz:1"},
        {HKCU, mouse, L"MouseThreshold1", L"sz:0", L"sz:6"},
        {HKCU, mouse, L"MouseThreshold2", L"sz:0", L"sz:10"}}},
      {L"system.ntfs_lastaccess", {{HKLM, fs, L"NtfsDisableLastAccessUpdate", L"dword:1", L"dword:0"}}},
      {L"system.long_paths", {{HKLM, fs, L"LongPathsEnabled", L"dword:1", L"dword:0"}}},
      {L"system.show_ext", {{HKCU, advanced, L"HideFileExt", L"dword:0", L"dword:1"}}},
      {L"cleanup.clear_recent",
       {{HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"ClearRecentDocsOnExit",
         L"dword:1", L"absent"}}},
      {L"cleanup.no_recent_jumplist", {{HKCU, advanced, L"Start_TrackDocs", L"dword:0", L"dword:1"}}},
  };
  return rows;
}

}  // namespace vx::test
