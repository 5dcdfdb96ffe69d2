#include "services/game_processes.h"

#include <algorithm>

#include "base/text.h"
#include "platform/processes.h"

namespace vx {

namespace {

constexpr std::wstring_view kGameProcessNames[] = {
    L"steam.exe",          L"r5apex.exe",           L"valorant.exe",
    L"valorant-win64-shipping.exe", L"csgo.exe",    L"cs2.exe",
    L"fortniteclient-win64-shipping.exe", L"dota2.exe", L"leagueoflegends.exe",
    L"league of legends.exe", L"overwatch.exe",     L"rainbowsix.exe",
    L"rainbowsix_vulkan.exe", L"rainbowsixgame.exe", L"pubg.exe",
    L"tslgame.exe",        L"escapefromtarkov.exe", L"eft.exe",
    L"gta5.exe",           L"gtav.exe",             L"rdr2.exe",
    L"reddead2.exe",       L"witcher3.exe",         L"dishonored.exe",
    L"hitman3.exe",        L"warthunder.exe",       L"warzone.exe",
    L"modernwarfare.exe",  L"battlefield.exe",      L"bf2042.exe",
    L"rust.exe",           L"rustclient.exe",       L"cyberpunk2077.exe",
    L"deltaforce.exe",     L"fallguys_client_game.exe", L"minecraft.exe",
    L"minecraft.windows.exe", L"minecraftlauncher.exe", L"hl2.exe",
    L"portal2.exe",        L"forhonor.exe",         L"genshinimpact.exe",
    L"yuanshen.exe",       L"starfield.exe",        L"baldur's gate 3.exe",
    L"bg3.exe",            L"bg3_dx11.exe",         L"r6_de.exe",
    L"krunkergame.exe",    L"dirt5.exe",
};
static_assert(std::size(kGameProcessNames) == 50);

// Unreal Engine names its shipping builds "...-Win64-Shipping.exe".
constexpr std::wstring_view kNameParts[] = {L"shipping", L"-win64-"};

}  // namespace

std::span<const std::wstring_view> gameProcessNames() { return kGameProcessNames; }

bool isGameProcessName(std::wstring_view imageName) {
  const std::wstring name = toLowerFolded(imageName);
  const bool known = std::any_of(std::begin(kGameProcessNames), std::end(kGameProcessNames),
                                 [&](std::wstring_view game) { return name == game; });
  return known || std::any_of(std::begin(kNameParts), std::end(kNameParts),
                              [&](std::wstring_view part) { return name.find(part) != std::wstring::npos; });
}

bool isGameRunning() {
  const auto names = processImageNames();
  return names && std::any_of(names->begin(), names->end(), [](const std::wstring& n) { return isGameProcessName(n); });
}

}  // namespace vx
