#include "games/game_config_paths.h"

#include <optional>

#include "games/game_environment.h"
#include "games/game_library_roots.h"
#include "platform/file_time.h"
#include "platform/files.h"

namespace vx {

namespace {

constexpr const wchar_t* kRobloxExe = L"RobloxPlayerBeta.exe";

std::wstring driveRoot(wchar_t drive) { return std::wstring(1, drive) + L":"; }

// The version folders of Roblox that hold its player executable, in listing order.
std::vector<std::wstring> robloxVersionFolders() {
  std::vector<std::wstring> folders;
  const auto local = gameEnvironmentValue(L"LOCALAPPDATA");
  if (!local) return folders;
  const std::wstring versions = joinPath(joinPath(*local, L"Roblox"), L"Versions");
  const auto entries = listDirectory(versions);
  if (!entries) return folders;
  for (const DirEntry& entry : *entries) {
    if (!entry.isDirectory) continue;
    const std::wstring folder = joinPath(versions, entry.name);
    if (fileStatus(joinPath(folder, kRobloxExe)).kind != FileKind::Missing) folders.push_back(folder);
  }
  return folders;
}

}  // namespace

std::vector<std::wstring> rustClientCfgCandidates() {
  constexpr const wchar_t* kTail = L"\\steamapps\\common\\Rust\\cfg\\client.cfg";
  std::vector<std::wstring> list;
  if (auto x86 = gameEnvironmentValue(L"ProgramFiles(x86)")) list.push_back(*x86 + L"\\Steam" + kTail);
  for (wchar_t drive : kGameDriveLetters) {
    list.push_back(driveRoot(drive) + L"\\SteamLibrary" + kTail);
    list.push_back(driveRoot(drive) + L"\\Steam" + kTail);
  }
  return list;
}

std::vector<std::wstring> cs2CfgDirCandidates() {
  constexpr const wchar_t* kTail = L"\\steamapps\\common\\Counter-Strike Global Offensive\\game\\csgo\\cfg";
  std::vector<std::wstring> list;
  if (auto x86 = gameEnvironmentValue(L"ProgramFiles(x86)")) list.push_back(*x86 + L"\\Steam" + kTail);
  for (wchar_t drive : kGameDriveLetters) list.push_back(driveRoot(drive) + L"\\SteamLibrary" + kTail);
  return list;
}

std::vector<std::wstring> robloxClientSettingsCandidates() {
  std::vector<std::wstring> list;
  for (const std::wstring& folder : robloxVersionFolders()) list.push_back(joinPath(folder, L"ClientSettings"));
  return list;
}

std::wstring robloxNewestClientSettings() {
  std::wstring newest;
  std::optional<std::int64_t> newestTime;
  for (const std::wstring& folder : robloxVersionFolders()) {
    const auto time = fileWriteTime(joinPath(folder, kRobloxExe));
    // A time that cannot be read still makes the folder a choice, but never beats a known one.
    if (newest.empty() || (time && (!newestTime || *time > *newestTime))) {
      newest = folder;
      newestTime = time;
    }
  }
  return newest.empty() ? std::wstring() : joinPath(newest, L"ClientSettings");
}

std::wstring ueConfigPath(const std::wstring& gameFolder, const std::wstring& platformFolder,
                          const std::wstring& fileName) {
  const auto local = gameEnvironmentValue(L"LOCALAPPDATA");
  if (!local) return {};
  return joinPath(joinPath(joinPath(joinPath(joinPath(*local, gameFolder), L"Saved"), L"Config"), platformFolder),
                  fileName);
}

}  // namespace vx
