#include "games/game_library_roots.h"

#include "games/game_environment.h"
#include "platform/files.h"

namespace vx {

namespace {

constexpr const wchar_t* kSteamCommon = L"\\Steam\\steamapps\\common";
// On each drive, in this order.
constexpr const wchar_t* kDriveLibraries[] = {L":\\SteamLibrary\\steamapps\\common", L":\\Steam\\steamapps\\common",
                                              L":\\Games\\Steam\\steamapps\\common"};

void addIfExists(std::vector<std::wstring>& roots, const std::wstring& path) {
  if (fileStatus(path).kind != FileKind::Missing) roots.push_back(path);
}

}  // namespace

std::vector<std::wstring> buildGameLibraryRoots() {
  std::vector<std::wstring> roots;
  if (auto x86 = gameEnvironmentValue(L"ProgramFiles(x86)")) addIfExists(roots, *x86 + kSteamCommon);
  const auto programFiles = gameEnvironmentValue(L"ProgramFiles");
  if (programFiles) addIfExists(roots, *programFiles + kSteamCommon);
  for (wchar_t drive : kGameDriveLetters)
    for (const wchar_t* library : kDriveLibraries) addIfExists(roots, std::wstring(1, drive) + library);
  if (auto local = gameEnvironmentValue(L"LOCALAPPDATA")) addIfExists(roots, *local + L"\\Roblox\\Versions");
  if (programFiles) addIfExists(roots, *programFiles + L"\\Epic Games");
  return roots;
}

}  // namespace vx
