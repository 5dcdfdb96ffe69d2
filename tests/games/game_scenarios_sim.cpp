#include "games/game_scenarios.h"

#include <chrono>
#include <filesystem>

#include "platform/files.h"

namespace vx::test {

namespace {

std::wstring parentOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

}  // namespace

std::wstring putFile(const std::wstring& path, const std::string& bytes) {
  createDirectories(parentOf(path));
  writeFileBytes(path, bytes);
  return path;
}

std::string fileBytes(const std::wstring& path) { return readFileBytes(path).value_or(std::string()); }

bool fileExists(const std::wstring& path) { return fileStatus(path).kind != FileKind::Missing; }

RustInstall installRust(wchar_t drive, const std::string& cfgBytes) {
  const std::wstring game = std::wstring(1, drive) + L":\\SteamLibrary\\steamapps\\common\\Rust";
  return {putFile(game + L"\\RustClient.exe", "MZ"), putFile(game + L"\\cfg\\client.cfg", cfgBytes)};
}

Cs2Install installCs2UnderProgramFilesX86() {
  const std::wstring game =
      L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Counter-Strike Global Offensive\\game";
  const std::wstring exe = putFile(game + L"\\bin\\win64\\cs2.exe", "MZ");
  createDirectories(game + L"\\csgo\\cfg");
  return {exe, game + L"\\csgo\\cfg"};
}

RobloxVersions installTwoRobloxVersions(sim::Machine& m) {
  const std::wstring versions = L"C:\\Users\\Player\\AppData\\Local\\Roblox\\Versions";
  const RobloxVersions v{versions + L"\\version-a-older", versions + L"\\version-b-newer"};
  const std::wstring olderExe = putFile(v.older + L"\\RobloxPlayerBeta.exe", "MZ");
  const std::wstring newerExe = putFile(v.newer + L"\\RobloxPlayerBeta.exe", "MZ");
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(m.hostPath(olderExe), now - std::chrono::hours(48));
  std::filesystem::last_write_time(m.hostPath(newerExe), now - std::chrono::hours(1));
  return v;
}

}  // namespace vx::test
