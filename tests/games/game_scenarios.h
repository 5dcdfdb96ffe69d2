// Scene builders for the game tests on the simulated machine: "Rust in D:\SteamLibrary", "CS2
// under Program Files (x86)", "two Roblox versions"; a fresh machine has no games at all.
#pragma once
#include <string>

#include "platform/sim/machine.h"

namespace vx::test {

// Creates the file and its folders through the platform layer; returns the path.
std::wstring putFile(const std::wstring& path, const std::string& bytes = "");
std::string fileBytes(const std::wstring& path);  // empty when missing
bool fileExists(const std::wstring& path);

struct RustInstall {
  std::wstring exe;        // ...\Rust\RustClient.exe
  std::wstring clientCfg;  // ...\Rust\cfg\client.cfg
};
// Rust in <drive>:\SteamLibrary\steamapps\common\Rust with a client.cfg holding cfgBytes.
RustInstall installRust(wchar_t drive = L'D', const std::string& cfgBytes = "graphics.fov \"75\"\r\n");

struct Cs2Install {
  std::wstring exe;     // ...\game\bin\win64\cs2.exe, four folders below the library
  std::wstring cfgDir;  // ...\game\csgo\cfg
};
// CS2 in C:\Program Files (x86)\Steam\steamapps\common.
Cs2Install installCs2UnderProgramFilesX86();

struct RobloxVersions {
  std::wstring older;  // version folders below %LOCALAPPDATA%\Roblox\Versions
  std::wstring newer;  // its RobloxPlayerBeta.exe was written later; listed second by name
};
// Two versions, each with RobloxPlayerBeta.exe and no ClientSettings folder yet.
RobloxVersions installTwoRobloxVersions(sim::Machine& m);

}  // namespace vx::test
