// Where the supported games keep their configuration: the candidate lists of Rust's client.cfg,
// CS2's cfg folder and Roblox's ClientSettings folders, and the fixed Unreal Engine .ini paths.
// The game group builder computes them once and stores them in the tweaks.
#pragma once
#include <string>
#include <vector>

namespace vx {

// Rust's client.cfg below the Steam folder of ProgramFiles(x86), then SteamLibrary and Steam on
// drives C: to G:. None is tested for existence.
std::vector<std::wstring> rustClientCfgCandidates();

// CS2's cfg folder below the Steam folder of ProgramFiles(x86), then SteamLibrary on C: to G:.
std::vector<std::wstring> cs2CfgDirCandidates();

// "<version>\ClientSettings" for every folder of %LOCALAPPDATA%\Roblox\Versions that holds
// RobloxPlayerBeta.exe, in listing order; the ClientSettings folders need not exist.
std::vector<std::wstring> robloxClientSettingsCandidates();

// The ClientSettings folder of the version whose RobloxPlayerBeta.exe was written last, for a
// Roblox that has never created one; empty when no version holds the executable.
std::wstring robloxNewestClientSettings();

// %LOCALAPPDATA%\<gameFolder>\Saved\Config\<platformFolder>\<fileName>; empty without LOCALAPPDATA.
std::wstring ueConfigPath(const std::wstring& gameFolder, const std::wstring& platformFolder,
                          const std::wstring& fileName);

}  // namespace vx
